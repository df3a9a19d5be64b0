#include "unattended/progress_display.h"

#include "install/install_progress.h"

namespace {
constexpr int kBarWidth = 30;
}  // namespace

std::string ProgressDisplay::FormatSpeed(double bytesPerSecond) {
    const char* units[] = {"B/s", "KiB/s", "MiB/s", "GiB/s"};
    int unit = 0;
    while (bytesPerSecond >= 1024.0 && unit < 3) {
        bytesPerSecond /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", bytesPerSecond, units[unit]);
    return text;
}

std::string ProgressDisplay::FormatBar(int percent, const std::string& suffix) {
    percent = InstallProgress::Clamp(percent);
    const int filled = percent * kBarWidth / 100;
    std::string line = "正在安装中 [";
    line.append(static_cast<size_t>(filled), '#');
    line.append(static_cast<size_t>(kBarWidth - filled), '.');
    char number[16];
    std::snprintf(number, sizeof number, "] %3d%%", percent);
    line += number;
    if (!suffix.empty()) line += "  " + suffix;
    return line;
}

void ProgressDisplay::ShowDownload(int percent, double bytesPerSecond) {
    Show(percent, bytesPerSecond < 0 ? std::string() : FormatSpeed(bytesPerSecond));
}

void ProgressDisplay::ShowInstall(int percent) { Show(percent, std::string()); }

void ProgressDisplay::Show(int percent, const std::string& suffix) {
    percent = InstallProgress::Clamp(percent);
    if (!terminal_) {
        if (percent == lastPercent_) return;
        lastPercent_ = percent;
        std::fprintf(out_, "progress %d%%\n", percent);
        std::fflush(out_);
        return;
    }
    std::string line = FormatBar(percent, suffix);
    if (line == lastLine_) return;
    // Pad over a longer line drawn before.
    std::string padded = line;
    if (padded.size() < lastLine_.size()) padded.append(lastLine_.size() - padded.size(), ' ');
    lastLine_ = std::move(line);
    lastPercent_ = percent;
    std::fprintf(out_, "\r%s", padded.c_str());
    std::fflush(out_);
    lineOpen_ = true;
}

void ProgressDisplay::Finish() {
    if (terminal_ && lineOpen_) {
        std::fputc('\n', out_);
        std::fflush(out_);
    }
    lineOpen_ = false;
}
