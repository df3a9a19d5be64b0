#pragma once

#include <string>
#include <string_view>
#include <vector>

// Pieces of the key=value status lines that the package and the old
// uninstaller print on their standard output.

// The lines of a decoded chunk, split at each line feed; empty lines are left
// out and a last line without a line feed counts.
std::vector<std::string_view> SplitStatusLines(std::string_view text);

// Longer values are taken as empty.
inline constexpr size_t kMaxStatusValueChars = 771;

// The value after a key: the rest of the line as it is, or empty when it is
// longer than kMaxStatusValueChars characters.
std::string StatusValue(std::string_view line, std::string_view key);

// The first of the keys the line begins with (exactly, at its start), or -1.
template <size_t N>
int MatchStatusKey(std::string_view line, const std::string_view (&keys)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (line.starts_with(keys[i])) return static_cast<int>(i);
    }
    return -1;
}
