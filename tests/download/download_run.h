#pragma once

#include <filesystem>
#include <string>
#include <vector>

// One run of vantyx-download as a user would start it.
struct DownloadRun {
    int exitCode = -1;
    std::vector<std::string> events;  // "<code> <value> <text>" lines, progress left out
    std::vector<double> progress;     // the values of the 1002 lines
    std::string debugLog;             // what went to TARVO_DEBUG_OUTPUT
    std::string err;
};

DownloadRun RunDownload(int type, const std::string& url, const std::filesystem::path& output,
                        std::vector<std::string> extraOptions = {});

// How many lines of a text contain `needle`.
int CountLines(const std::string& text, const std::string& needle);

// The names of the files in a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);
