#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits one command text into arguments by the Windows rules
// (CommandLineToArgvW): blanks (space, tab) separate arguments, double quotes
// group, 2n backslashes before a quote give n backslashes and the quote
// groups, 2n+1 give n backslashes and a literal quote, backslashes elsewhere
// are literal, and inside quotes a tripled quote gives a literal one. The
// first argument, the program, ends at the next quote or blank and knows no
// escapes. Used where a command text has to become an argument vector.
std::vector<std::string> SplitCommandLine(std::string_view commandText);
