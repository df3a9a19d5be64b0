#include "install/status_lines.h"

#include "platform/utf8.h"

std::vector<std::string_view> SplitStatusLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string StatusValue(std::string_view line, std::string_view key) {
    const std::string_view value = line.substr(key.size());
    if (platform::Utf8Length(value) > kMaxStatusValueChars) return {};
    return std::string(value);
}
