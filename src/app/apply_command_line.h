#pragma once

#include "app/command_line_args.h"
#include "app/installer_config.h"

// Copies the recognised options into the configuration. A "-downloadscale"
// that is not a number leaves the built-in share, 0.7.
void ApplyCommandLine(CInstallerConfig& config, const CommandLineArgs& args);
