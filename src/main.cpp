// vantyx-installer: downloads the Vantyx audio editor's setup package, runs it
// silently and follows it to the end.

#include <iostream>
#include <string>
#include <vector>

#include "app/apply_command_line.h"
#include "app/command_line_args.h"
#include "app/installer_config.h"

int main(int argc, char** argv) {
    const CommandLineArgs args(std::vector<std::string>(argv, argv + argc));
    CInstallerConfig& config = InstallerConfig();
    ApplyCommandLine(config, args);

    if (args.GetBool("-printconfig")) {
        config.Print(std::cout);
        return 0;
    }

    std::cerr << "vantyx-installer: this build has no window yet; "
                 "use -printconfig=true to check the configuration\n";
    return 1;
}
