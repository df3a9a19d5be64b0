// vantyx-installer: downloads the Vantyx audio editor's setup package, runs it
// silently and follows it to the end.

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/apply_command_line.h"
#include "app/command_line_args.h"
#include "app/installer_config.h"
#include "download/downloader_factory.h"
#include "install/named_mutex.h"
#include "skinui/gtk_host.h"
#include "ui/main_wnd.h"
#include "ui/window_shadow.h"
#include "unattended/unattended_install.h"

namespace {
// Held while a copy of the installer runs; a second copy leaves at once.
constexpr const char* kSingleInstanceName = "Installer_VantyxAudioEditor";

// The installer as a user sees it: the main window, run modally until it closes.
int RunWindow() {
    if (!skinui::GtkHost::Open(nullptr, nullptr)) {
        std::cerr << "vantyx-installer: cannot open a display for the installer window; "
                     "run the quick install unattended with -silent=true\n";
        return 1;
    }
    skinui::GtkHost host;
    CWindowShadow::Initialize(host);
    {
        CMainWnd window;
        if (window.Create(host)) window.ShowModal();
        // Leaving the scope destroys the orchestrator, which waits for a
        // running package or removal.
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const CommandLineArgs args(std::vector<std::string>(argv, argv + argc));
    CInstallerConfig& config = InstallerConfig();

    // A distributor's check of the configuration runs beside an installer.
    if (args.GetBool("-printconfig")) {
        ApplyCommandLine(config, args);
        config.Print(std::cout);
        return 0;
    }

    Utils::NamedMutex instance(kSingleInstanceName);
    instance.Acquire();
    if (!instance.IsHeld()) return kExitAlreadyRunning;
    ApplyCommandLine(config, args);

    int exitCode = 0;
    if (args.GetBool("-silent")) {
        exitCode = RunUnattendedInstall(config, args, stdout, stderr, ::isatty(STDOUT_FILENO) != 0);
    } else {
        exitCode = RunWindow();
    }
    // A download thread may still be on its way out after its last event.
    WaitForDownloaders();
    instance.Release();
    return exitCode;
}
