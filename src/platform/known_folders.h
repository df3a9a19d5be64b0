#pragma once

#include <string>

namespace platform {

// The folders the installer's records and defaults live in. None ends with a
// separator; each is empty when it cannot be worked out.

// $XDG_CONFIG_HOME, else ~/.config.
std::string ConfigHomeDirectory();

// Where programs are installed: /opt for the administrator, else
// $XDG_DATA_HOME, else ~/.local/share.
std::string ProgramFilesDirectory();

// The application-data folder: $APPDATA when set, else the config home.
std::string AppDataDirectory();

// The folder every user shares documents in.
std::string SharedDocumentsDirectory();

}  // namespace platform
