#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reading numbers the way the C runtime's atoi and wcstod do: leading blanks
// are skipped and reading stops at the first character that cannot continue
// the number ("2x" gives 2, "0.5x" gives 0.5).

// nullopt when the text does not start with a number. Values past the 32-bit
// range saturate.
std::optional<int32_t> ReadLeadingInt(std::string_view text);

// Decimal notation with optional fraction and exponent. nullopt when the text
// does not start with a number or the number is out of range.
std::optional<double> ReadLeadingDouble(std::string_view text);

// The shortest decimal text that reads back as exactly this value ("0.7", "0").
std::string ShortestText(double value);
