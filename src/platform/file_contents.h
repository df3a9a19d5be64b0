#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The whole content of a file; nullopt when it cannot be read.
std::optional<std::string> ReadFileContents(const std::string& path);

// Replaces a file's content atomically: the new content goes to a temporary
// file beside it, which then takes the file's name. Readers see either the
// old or the new content, never a mix. False when it cannot be written.
bool ReplaceFileContents(const std::string& path, std::string_view contents);

}  // namespace platform
