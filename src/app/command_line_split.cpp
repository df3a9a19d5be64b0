#include "app/command_line_split.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    size_t i = 0;

    // The program: quoted up to the next quote, or up to the next blank.
    if (text.empty()) return arguments;
    std::string program;
    if (text[0] == '"') {
        ++i;
        while (i < text.size() && text[i] != '"') program.push_back(text[i++]);
        if (i < text.size()) ++i;  // the closing quote
    } else {
        while (i < text.size() && !IsBlank(text[i])) program.push_back(text[i++]);
    }
    arguments.push_back(std::move(program));

    while (i < text.size() && IsBlank(text[i])) ++i;
    while (i < text.size()) {
        std::string argument;
        int quotes = 0;  // 1 inside a group
        while (i < text.size() && (quotes != 0 || !IsBlank(text[i]))) {
            if (text[i] == '\\') {
                size_t backslashes = 0;
                while (i < text.size() && text[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < text.size() && text[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument.push_back('"');
                        ++i;
                    }
                    // An even count leaves the quote to the branch below.
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (text[i] == '"') {
                // A run of quotes: the first opens or closes a group; inside a
                // group every third quote of the run is a literal one.
                ++i;
                ++quotes;
                while (i < text.size() && text[i] == '"') {
                    ++i;
                    if (++quotes == 3) {
                        argument.push_back('"');
                        quotes = 0;
                    }
                }
                if (quotes == 2) quotes = 0;
            } else {
                argument.push_back(text[i++]);
            }
        }
        arguments.push_back(std::move(argument));
        while (i < text.size() && IsBlank(text[i])) ++i;
    }
    return arguments;
}
