#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ProcessResult {
    int exitCode = -1;  // the exit status, or 128 + signal number
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::map<std::string, std::string> environment;  // added to or replacing ours
    std::vector<std::string> unset;                  // removed from ours
    std::string workingDirectory;
    std::string input;                               // written to standard input
    std::chrono::seconds timeout{60};                // killed after this
};

// Options that only add environment variables.
inline ProcessOptions WithEnvironment(std::map<std::string, std::string> environment) {
    ProcessOptions options;
    options.environment = std::move(environment);
    return options;
}

// Our environment with the options' changes, as NAME=VALUE texts.
std::vector<std::string> ChildEnvironment(const ProcessOptions& options);

// Runs a program to its end and collects what it printed.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

}  // namespace testsupport
