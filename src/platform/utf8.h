#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Counts the characters of UTF-8 text (bytes that start a character).
size_t Utf8Length(std::string_view text);

// The longest prefix of UTF-8 text holding at most maxChars characters.
std::string_view Utf8Prefix(std::string_view text, size_t maxChars);

// True when the bytes are well-formed UTF-8 (no overlongs, surrogates or
// values past U+10FFFF).
bool IsValidUtf8(std::string_view text);

}  // namespace platform
