#pragma once

#include <optional>
#include <string>

namespace platform {

// Whether this process runs with the system administrator's rights (effective
// user id 0).
bool RunsElevated();

// Whether the named local account may administer the system: the
// administrator itself, or a member of one of the groups "sudo", "wheel" or
// "admin". False for an unknown or empty name.
bool IsAdministratorAccount(const std::string& userName);

// The user of the active session on the machine's own seat (seat0), else the
// login name of this process's user; nullopt when neither is known.
std::optional<std::string> ConsoleUserName();

}  // namespace platform
