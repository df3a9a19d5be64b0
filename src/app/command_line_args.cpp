#include "app/command_line_args.h"

#include "app/command_line_split.h"
#include "app/number_text.h"

CommandLineArgs::CommandLineArgs(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        const size_t eq = argument.find('=');
        if (argument.starts_with('-') && eq != std::string::npos) {
            values_.emplace(argument.substr(0, eq), argument.substr(eq + 1));
        } else {
            values_.emplace(argument, std::string());
        }
    }
}

CommandLineArgs CommandLineArgs::FromCommandText(std::string_view commandText) {
    return CommandLineArgs(SplitCommandLine(commandText));
}

bool CommandLineArgs::Has(const std::string& key) const { return values_.contains(key); }

std::string CommandLineArgs::GetString(const std::string& key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? std::string() : found->second;
}

int32_t CommandLineArgs::GetInt(const std::string& key) const {
    return ReadLeadingInt(GetString(key)).value_or(0);
}

bool CommandLineArgs::GetBool(const std::string& key) const { return GetString(key) == "true"; }

double CommandLineArgs::GetDouble(const std::string& key, double fallback) const {
    if (!Has(key)) return fallback;
    return ReadLeadingDouble(GetString(key)).value_or(fallback);
}
