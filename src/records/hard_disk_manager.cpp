#include "records/hard_disk_manager.h"

#include "app/debug_log.h"
#include "platform/disk_space.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(const std::string& folder) {
    platform::DiskSpace space;
    int errorCode = 0;
    if (!platform::QueryDiskSpace(folder, space, &errorCode)) {
        DEBUG_LOG("HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n",
                  static_cast<long>(errorCode));
        return false;
    }
    m_FreeBytesAvailable = space.freeBytesAvailable;
    m_TotalBytes = space.totalBytes;
    m_TotalFreeBytes = space.totalFreeBytes;
    return true;
}

}  // namespace Utils
