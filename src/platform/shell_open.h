#pragma once

#include <string>

namespace platform {

// Opens an address with the desktop's default handler; false when none took it.
bool OpenAddress(const std::string& address);
// Starts a program detached from us, in its own folder, with no arguments;
// false when it could not be started.
bool StartProgramDetached(const std::string& program);

}  // namespace platform
