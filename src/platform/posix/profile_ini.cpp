#include "platform/profile_ini.h"

#include <strings.h>

#include <charconv>
#include <optional>
#include <vector>

#include "platform/file_contents.h"
#include "platform/utf8.h"

namespace platform {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// One line of an ini file, kept as written, with what it declares.
struct Line {
    std::string text;           // without the line feed
    std::string_view section;   // set on "[name]" lines
    std::string_view key;       // set on "key=value" lines
    std::string_view value;
};

std::vector<Line> SplitLines(std::string contents) {
    if (contents.starts_with("\xEF\xBB\xBF")) contents.erase(0, 3);
    std::vector<Line> lines;
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        if (end == std::string::npos) end = contents.size();
        lines.push_back(Line{contents.substr(start, end - start), {}, {}, {}});
        start = end + 1;
    }
    for (Line& line : lines) {
        const std::string_view text = TrimBlanks(line.text);
        if (text.starts_with('[')) {
            const size_t close = text.find(']');
            line.section = TrimBlanks(text.substr(1, close == std::string_view::npos ? close : close - 1));
            // An empty name still opens a section, one that no lookup names.
            if (line.section.empty()) line.section = text.substr(0, 1);
        } else if (const size_t eq = text.find('='); eq != std::string_view::npos) {
            line.key = TrimBlanks(text.substr(0, eq));
            line.value = TrimBlanks(text.substr(eq + 1));
        }
    }
    return lines;
}

struct Location {
    std::optional<size_t> section;  // index of the "[section]" line
    std::optional<size_t> key;      // index of the "key=" line
    size_t sectionEnd = 0;          // one past the section's last non-blank line
};

Location Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location where;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].section.empty()) {
            if (where.section) break;  // the next section begins
            if (SameName(lines[i].section, section)) {
                where.section = i;
                where.sectionEnd = i + 1;
            }
            continue;
        }
        if (!where.section) continue;
        if (!TrimBlanks(lines[i].text).empty()) where.sectionEnd = i + 1;
        if (!where.key && !lines[i].key.empty() && SameName(lines[i].key, key)) where.key = i;
    }
    return where;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::optional<std::string> ReadValue(const std::string& file, const std::string& section,
                                     const std::string& key) {
    auto contents = ReadFileContents(file);
    if (!contents) return std::nullopt;
    const std::vector<Line> lines = SplitLines(std::move(*contents));
    const Location where = Find(lines, section, key);
    if (!where.key) return std::nullopt;
    return std::string(StripQuotes(lines[*where.key].value));
}

}  // namespace

std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue) {
    const std::optional<std::string> value = ReadValue(file, section, key);
    const std::string_view text = value ? std::string_view(*value) : TrimBlanks(defaultValue);
    return std::string(Utf8Prefix(text, kProfileValueLimit));
}

int GetProfileInt(const std::string& file, const std::string& section, const std::string& key,
                  int defaultValue) {
    const std::optional<std::string> value = ReadValue(file, section, key);
    if (!value) return defaultValue;
    std::string_view text = TrimBlanks(*value);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (end == text.data()) return 0;
    if (error == std::errc::result_out_of_range) number = INT64_MAX;
    if (negative) number = -number;
    // Numbers past the 32-bit range saturate.
    if (number > INT32_MAX) return INT32_MAX;
    if (number < INT32_MIN) return INT32_MIN;
    return static_cast<int>(number);
}

bool WriteProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value) {
    std::optional<std::string> contents = ReadFileContents(file);
    const bool crlf = contents && contents->find("\r\n") != std::string::npos;
    const std::string eol = crlf ? "\r" : "";
    std::vector<Line> lines = contents ? SplitLines(std::move(*contents)) : std::vector<Line>{};
    const Location where = Find(lines, section, key);
    const std::string entry = key + "=" + value + eol;

    if (where.key) {
        lines[*where.key].text = std::string(lines[*where.key].key) + "=" + value + eol;
    } else if (where.section) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(where.sectionEnd), Line{entry, {}, {}, {}});
    } else {
        lines.push_back(Line{"[" + section + "]" + eol, {}, {}, {}});
        lines.push_back(Line{entry, {}, {}, {}});
    }

    std::string out;
    for (const Line& line : lines) {
        out += line.text;
        out += '\n';
    }
    return ReplaceFileContents(file, out);
}

}  // namespace platform
