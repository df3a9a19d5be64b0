#include "skinui/attribute_values.h"

#include <cctype>
#include <charconv>

namespace skinui {

namespace {

// Reads the integers of a comma list into out[0..count).
void ParseInts(std::string_view text, int* out, int count) {
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        int value = 0;
        const char* begin = text.data() + pos;
        const char* end = text.data() + text.size();
        const auto result = std::from_chars(begin, end, value);
        if (result.ec != std::errc()) return;
        out[i] = value;
        pos = static_cast<size_t>(result.ptr - text.data());
        if (pos >= text.size()) return;
        ++pos;  // one separator character
    }
}

}  // namespace

std::optional<int> ParseInt(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) return std::nullopt;
    return value;
}

Rect ParseRect(std::string_view text) {
    int v[4] = {0, 0, 0, 0};
    ParseInts(text, v, 4);
    return {v[0], v[1], v[2], v[3]};
}

Size ParseSize(std::string_view text) {
    int v[2] = {0, 0};
    ParseInts(text, v, 2);
    return {v[0], v[1]};
}

Point ParsePoint(std::string_view text) {
    int v[2] = {0, 0};
    ParseInts(text, v, 2);
    return {v[0], v[1]};
}

std::optional<uint32_t> ParseColor(std::string_view text) {
    while (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

bool ParseBool(std::string_view text) {
    return EqualsNoCase(text, "true");
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace skinui
