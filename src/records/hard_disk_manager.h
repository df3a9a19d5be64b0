#pragma once

#include <cstdint>
#include <string>

namespace Utils {

// Asks how much space the volume of a folder has, and keeps the answer of the
// last successful question. All figures are 0 until one succeeds.
class HardDiskManager {
  public:
    static constexpr uint64_t kBytesPerGiB = 1073741824;

    virtual ~HardDiskManager() = default;

    // The folder need not exist yet: its nearest existing ancestor is asked.
    // On failure logs the system's error code, keeps the figures and returns
    // false.
    bool CheckFreeSpace(const std::string& folder);

    // Free bytes available to us, in units of 2^30 bytes.
    double FreeGiB() const { return static_cast<double>(m_FreeBytesAvailable) / kBytesPerGiB; }

    uint64_t m_FreeBytesAvailable = 0;
    uint64_t m_TotalBytes = 0;
    uint64_t m_TotalFreeBytes = 0;
};

}  // namespace Utils
