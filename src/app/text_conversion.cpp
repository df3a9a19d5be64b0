#include "app/text_conversion.h"

#include "platform/utf8.h"

namespace {
constexpr std::string_view kBlanks = " \t\n\v\f\r";
}  // namespace

std::string ToWide(std::string_view narrow, unsigned codePage) {
    return platform::ConvertCodePage(narrow, codePage, platform::kCodePageUtf8).value_or("");
}

std::string ToNarrow(std::string_view text, unsigned codePage) {
    return platform::ConvertCodePage(text, platform::kCodePageUtf8, codePage).value_or("");
}

std::string Utf8ToWide(std::string_view utf8) {
    return platform::IsValidUtf8(utf8) ? std::string(utf8) : std::string();
}

std::string TrimLeft(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRight(std::string_view text) {
    const size_t last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string UIntToText(uint32_t value) { return std::to_string(value); }
