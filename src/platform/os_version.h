#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct OsVersion {
    std::string family;  // "Windows" there, "Linux" here
    std::string name;    // the release name ("10", "8.1", ... or the kernel release)
};

OsVersion QueryOsVersion();

// True when this process is a 32-bit build running on a 64-bit system.
bool IsWow64();

// The name of a Windows version from its numbers ("XP", "7", "10", ...), or
// "major.minor.build" for numbers the table does not know.
std::string WindowsVersionName(uint32_t major, uint32_t minor, uint32_t build, bool serverR2);

}  // namespace platform
