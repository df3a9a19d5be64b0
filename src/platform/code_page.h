#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Windows code-page numbers as the installer's peers name their encodings.
inline constexpr unsigned kCodePageAnsi = 0;   // the system's own narrow encoding
inline constexpr unsigned kCodePageUtf8 = 65001;

// Converts text between two code pages; nullopt when a code page is unknown
// or the text is not valid in the source code page.
std::optional<std::string> ConvertCodePage(std::string_view text, unsigned fromCodePage,
                                           unsigned toCodePage);

// The encoding name the converter uses for a code page ("GBK" for 936, ...).
std::string CodePageEncodingName(unsigned codePage);

}  // namespace platform
