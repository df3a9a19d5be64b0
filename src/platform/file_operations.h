#pragma once

#include <string>

namespace platform {

// Whether a file exists there that nobody may write to (the read-only
// attribute of other systems). The administrator's rights do not count.
bool IsReadOnlyFile(const std::string& path);

// Removes a file (not a folder). True when it was removed.
bool RemoveFile(const std::string& path);

// Creates an empty file, or empties an existing one, and closes it again.
// True when that worked.
bool CreateEmptyFile(const std::string& path);

}  // namespace platform
