#pragma once

#include <cstdio>

#include "app/command_line_args.h"
#include "app/installer_config.h"

// The installer without a window: the quick install into the default folder
// (or the one given with -installdir=DIR), with the same checks, chain and
// records as the window, progress on standard output and reasons on standard
// error. It never opens an address or starts the product.
enum UnattendedExitCode : int {
    kExitInstalled = 0,
    kExitPackageFailed = 1,   // the package failed or could not be started
    kExitDownloadFailed = 2,
    kExitCheckRefused = 3,    // product or uninstaller running, bad folder, low space, no internet
    kExitRemovalFailed = 4,   // the old version could not be removed
    kExitAlreadyRunning = 255,
};

int RunUnattendedInstall(const CInstallerConfig& config, const CommandLineArgs& args,
                         std::FILE* out, std::FILE* err, bool terminal);
