#pragma once

#include <cstdint>
#include <string>

// Measures how fast the package arrives from what is on disk: the package
// file and the files the downloaders fill on their way to it.
class DownloadSpeed {
public:
    explicit DownloadSpeed(std::string packagePath) : packagePath_(std::move(packagePath)) {}

    // Bytes per second since the last sample at least half a second ago; the
    // previous answer in between, and -1 until two samples exist.
    double Sample(uint32_t nowMs);

    static uint64_t BytesOnDisk(const std::string& packagePath);

private:
    std::string packagePath_;
    bool sampled_ = false;
    uint32_t lastMs_ = 0;
    uint64_t lastBytes_ = 0;
    double speed_ = -1;
};
