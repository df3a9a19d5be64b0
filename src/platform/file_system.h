#pragma once

#include <string>

namespace platform {

// The separator between folder names in paths of this system.
inline constexpr char kPathSeparator = '/';

bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);

// Creates one folder whose parent exists. True when it was created.
bool MakeDirectory(const std::string& path);

// The user's temporary folder, ending with the separator.
std::string TempDirectory();

}  // namespace platform
