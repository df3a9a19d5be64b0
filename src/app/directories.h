#pragma once

#include <string>

// Paths longer than this many characters are refused.
inline constexpr size_t kMaxPathChars = 260;

// Creates every missing folder along a path. False for paths longer than
// kMaxPathChars or when a folder cannot be created.
bool CreateDirectories(const std::string& path);

// The installer's private temporary folder, "~TarvoTemp.92482B06FB471E17"
// in the user's temporary folder, with a trailing separator; created when
// missing. Empty when it cannot be created.
std::string GetPrivateTempDir();
