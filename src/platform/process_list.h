#pragma once

#include <string>
#include <vector>

#include "platform/process.h"

namespace platform {

// One running process and the file name (without folder) of its executable.
struct RunningProcess {
    ProcessId id = 0;
    std::string executableName;
};

// Every process we can see, by ascending id. The name is the file name of
// the process's executable, or, where the system does not show it to us, of
// its first argument. (The kernel's own process name is cut to 15 bytes, too
// short for the names we look for.)
std::vector<RunningProcess> ListProcesses();

}  // namespace platform
