#pragma once

#include <string>

namespace platform {

// Private-profile ini files with the Windows semantics: section and key names
// match without regard to letter case, values are trimmed of blanks and of one
// pair of surrounding quotes, a missing file, section or key yields the
// default, and a text read is cut to kProfileValueLimit characters. Files are
// UTF-8 (a leading byte-order mark is skipped).
inline constexpr size_t kProfileValueLimit = 259;

std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue);

// The value read as a decimal integer: blanks skipped, an optional sign, the
// leading digits; 0 when it does not start with a number, the default when
// the key is missing.
int GetProfileInt(const std::string& file, const std::string& section, const std::string& key,
                  int defaultValue);

// Sets one key, creating the file and the section when missing and keeping
// every other line as it was. The file is replaced atomically. False when the
// file cannot be written.
bool WriteProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace platform
