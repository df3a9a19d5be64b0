#include "app/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace {

std::string_view SkipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return text.substr(i);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int32_t> ReadLeadingInt(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !IsDigit(text.front())) return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) break;
        value = value * 10 + (c - '0');
        if (value > int64_t{INT32_MAX} + 1) value = int64_t{INT32_MAX} + 1;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(value);
}

std::optional<double> ReadLeadingDouble(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only decimal notation: a digit, or a point followed by a digit.
    const bool startsNumber = !text.empty() && (IsDigit(text.front()) ||
                                                (text.size() > 1 && text[0] == '.' && IsDigit(text[1])));
    if (!startsNumber) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::general);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::string ShortestText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}
