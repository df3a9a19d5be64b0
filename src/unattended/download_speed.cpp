#include "unattended/download_speed.h"

#include <sys/stat.h>

namespace {
constexpr uint32_t kSampleIntervalMs = 500;
}  // namespace

uint64_t DownloadSpeed::BytesOnDisk(const std::string& packagePath) {
    uint64_t total = 0;
    for (const char* suffix : {"", ".part", "_0", "_1"}) {
        struct stat info {};
        if (::stat((packagePath + suffix).c_str(), &info) == 0) total += static_cast<uint64_t>(info.st_size);
    }
    return total;
}

double DownloadSpeed::Sample(uint32_t nowMs) {
    if (sampled_ && nowMs - lastMs_ < kSampleIntervalMs) return speed_;
    const uint64_t bytes = BytesOnDisk(packagePath_);
    if (sampled_) {
        // A restarted download starts again from fewer bytes.
        const uint64_t gained = bytes >= lastBytes_ ? bytes - lastBytes_ : 0;
        speed_ = static_cast<double>(gained) * 1000.0 / (nowMs - lastMs_);
    }
    sampled_ = true;
    lastMs_ = nowMs;
    lastBytes_ = bytes;
    return speed_;
}
