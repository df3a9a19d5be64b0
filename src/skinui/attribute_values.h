#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skinui/geometry.h"

namespace skinui {

// Readers for the value notations of layout attributes. Each is lenient the way
// the layouts need: missing trailing numbers read as 0, a bad value as "absent".

// A decimal integer with optional sign; leading spaces skipped.
std::optional<int> ParseInt(std::string_view text);

// "l,t,r,b": up to four integers; separators are any single non-digit character.
Rect ParseRect(std::string_view text);

// "w,h".
Size ParseSize(std::string_view text);

// "x,y".
Point ParsePoint(std::string_view text);

// "#AARRGGBB" or "0xAARRGGBB" (alpha first); extra leading hash signs are
// tolerated ("##FF777777"). Returns ARGB.
std::optional<uint32_t> ParseColor(std::string_view text);

// "true" in any letter case.
bool ParseBool(std::string_view text);

// Lower-case ASCII copy.
std::string AsciiLower(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace skinui
