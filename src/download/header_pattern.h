#pragma once

#include <regex>
#include <string>
#include <string_view>
#include <vector>

// The patterns that pick values out of raw response headers are written in a
// small dialect: "{" "}" mark the one capture group, "(" ")" group without
// capturing, and backslash abbreviations stand for common classes (\b a blank,
// \n a line end of CR, LF or CR LF, \q a quoted text, \d a digit, ...). A
// pattern is lower-cased and matched without regard to letter case.

// The dialect pattern as an ECMAScript regular expression.
std::string TranslateHeaderPattern(std::string_view pattern);

// The compiled, case-insensitive expression for a dialect pattern. Throws
// std::regex_error for a pattern the dialect does not allow.
std::regex CompileHeaderPattern(std::string_view pattern);

// Applies the pattern to `text` again and again, each search starting where
// the previous match ended, and collects the capture group of every match;
// a value already collected (ignoring letter case) is not added twice.
std::vector<std::string> ExtractGroups(std::string_view pattern, const std::string& text);

// `text` without the leading and trailing characters that are in `characters`.
std::string TrimChars(std::string_view text, std::string_view characters);
