#pragma once

#include <string>

#include "platform/process.h"

namespace Utils {

// The id of the first running process whose executable file name (without
// folder) is exactly the given name, letter case included; 0 when none is.
platform::ProcessId FindProcess(const std::string& executableName);

}  // namespace Utils
