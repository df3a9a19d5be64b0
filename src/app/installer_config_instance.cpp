#include "app/installer_config.h"

namespace {
// Built before main() runs, so that even a second copy of the installer,
// which leaves at once, has read the distributor's file.
CInstallerConfig g_InstallerConfig;
}  // namespace

CInstallerConfig& InstallerConfig() { return g_InstallerConfig; }
