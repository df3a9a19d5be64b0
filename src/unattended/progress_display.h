#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Shows the unattended installation's progress on standard output: on a
// terminal one line with a bar, redrawn in place, with the download speed
// while downloading; elsewhere (a log, a pipe) a plain "progress N%" line each
// time the percentage changes.
class ProgressDisplay {
public:
    ProgressDisplay(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}

    // bytesPerSecond < 0 when the speed is not known (yet).
    void ShowDownload(int percent, double bytesPerSecond);
    void ShowInstall(int percent);

    // Ends the bar's line, so that what follows starts on a new one.
    void Finish();

    // "12.3 MiB/s" and the like.
    static std::string FormatSpeed(double bytesPerSecond);
    // The bar's line for a percentage, without the carriage return.
    static std::string FormatBar(int percent, const std::string& suffix);

private:
    void Show(int percent, const std::string& suffix);

    std::FILE* out_;
    bool terminal_;
    int lastPercent_ = -1;
    std::string lastLine_;
    bool lineOpen_ = false;
};
