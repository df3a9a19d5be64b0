#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/run_process.h"

namespace testsupport {

// A program that runs beside the test (a server, a second installer, a
// stand-in for the product). Its standard output and error go to files; it is
// killed when the object goes away, if it still runs.
class BackgroundProcess {
public:
    BackgroundProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    pid_t Pid() const { return pid_; }

    // Waits for the program to end; its exit code, or 128 + the signal.
    int Wait(std::chrono::seconds timeout = std::chrono::seconds(60));
    void Kill();
    // Whether the program has ended, without waiting for it.
    bool HasEnded();

    std::string Out() const;
    std::string Err() const;

    // Waits until the standard output holds the text; false on timeout or
    // when the program ended without printing it.
    bool WaitForOutput(const std::string& text,
                       std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    pid_t pid_ = -1;
    int exitCode_ = -1;
    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
};

// Waits until a file exists and is not empty; false on timeout.
bool WaitForFile(const std::filesystem::path& path,
                 std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace testsupport
