#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The options of one command line: "-key=value" arguments, keyed by the text
// before the first "=" (dash included). Other arguments are keys with an
// empty value. Keys are case-sensitive; the first occurrence of a key wins.
class CommandLineArgs {
public:
    // One element per argument, the program first (as a process receives them).
    explicit CommandLineArgs(const std::vector<std::string>& arguments);

    // One command text, split by the Windows rules.
    static CommandLineArgs FromCommandText(std::string_view commandText);

    bool Has(const std::string& key) const;
    std::string GetString(const std::string& key) const;  // empty when absent
    int32_t GetInt(const std::string& key) const;         // 0 when absent or not a number
    bool GetBool(const std::string& key) const;           // true only for exactly "true"
    double GetDouble(const std::string& key, double fallback) const;

private:
    std::map<std::string, std::string> values_;
};
