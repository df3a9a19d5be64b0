#include "download/header_pattern.h"

#include <cctype>
#include <stdexcept>

namespace {

char AsciiLower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

// What a backslash abbreviation stands for; empty when the letter is not one.
std::string_view Abbreviation(char letter) {
    switch (letter) {
        case 'a':
            return "[a-z0-9]";
        case 'b':
            return "[ \\t]";
        case 'c':
            return "[a-z]";
        case 'd':
            return "[0-9]";
        case 'h':
            return "[0-9a-f]";
        case 'n':
            return "(?:\\r\\n|\\r|\\n)";
        case 'q':
            return "(?:\"[^\"]*\"|'[^']*')";
        case 'w':
            return "[a-z]+";
        case 'z':
            return "[0-9]+";
        default:
            return {};
    }
}

}  // namespace

std::string TranslateHeaderPattern(std::string_view pattern) {
    std::string out;
    bool inClass = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = AsciiLower(pattern[i]);
        if (c == '\\') {
            if (i + 1 == pattern.size()) throw std::regex_error(std::regex_constants::error_escape);
            const char next = AsciiLower(pattern[++i]);
            const std::string_view abbreviation = inClass ? std::string_view() : Abbreviation(next);
            if (!abbreviation.empty()) {
                out += abbreviation;
            } else if (std::isalnum(static_cast<unsigned char>(next))) {
                // Letters and digits without a meaning of their own stand for
                // themselves; ECMAScript would read most of them as classes.
                out += next;
            } else {
                out += '\\';
                out += next;
            }
            continue;
        }
        if (inClass) {
            if (c == ']') inClass = false;
            out += c;
            continue;
        }
        switch (c) {
            case '[':
                inClass = true;
                out += c;
                break;
            case '{':
                out += '(';
                break;
            case '}':
                out += ')';
                break;
            case '(':
                out += "(?:";
                break;
            // Any character, line ends included.
            case '.':
                out += "[\\s\\S]";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

std::regex CompileHeaderPattern(std::string_view pattern) {
    return std::regex(TranslateHeaderPattern(pattern), std::regex::ECMAScript | std::regex::icase);
}

std::vector<std::string> ExtractGroups(std::string_view pattern, const std::string& text) {
    const std::regex expression = CompileHeaderPattern(pattern);
    std::vector<std::string> values;
    auto from = text.cbegin();
    std::smatch match;
    while (from != text.cend() && std::regex_search(from, text.cend(), match, expression)) {
        std::string value = match.size() > 1 ? match[1].str() : match[0].str();
        bool known = false;
        for (const auto& kept : values) known = known || EqualIgnoringCase(kept, value);
        if (!known) values.push_back(std::move(value));
        // An empty match would find itself again; step past it.
        from = match[0].second == from ? from + 1 : match[0].second;
    }
    return values;
}

std::string TrimChars(std::string_view text, std::string_view characters) {
    const size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(characters);
    return std::string(text.substr(first, last - first + 1));
}
