#include "download/download_run.h"

#include <algorithm>
#include <sstream>

#include "support/run_process.h"
#include "support/test_folder.h"

DownloadRun RunDownload(int type, const std::string& url, const std::filesystem::path& output,
                        std::vector<std::string> extraOptions) {
    static int runs = 0;
    const auto logFile = testsupport::NewFolder("run" + std::to_string(++runs)) / "debug.log";
    std::vector<std::string> argv = {VANTYX_BINARY_DIR "/tools/vantyx-download/vantyx-download",
                                     "--type", std::to_string(type)};
    argv.insert(argv.end(), extraOptions.begin(), extraOptions.end());
    argv.push_back(url);
    argv.push_back(output.string());
    const auto result = testsupport::RunProcess(
        argv, testsupport::WithEnvironment({{"TARVO_DEBUG_OUTPUT", logFile.string()}}));

    DownloadRun run;
    run.exitCode = result.exitCode;
    run.err = result.err;
    run.debugLog = testsupport::ReadFile(logFile);
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("1002 ")) {
            run.progress.push_back(std::stod(line.substr(5)));
        } else {
            run.events.push_back(line);
        }
    }
    return run;
}

int CountLines(const std::string& text, const std::string& needle) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(needle) != std::string::npos) ++count;
    }
    return count;
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
