#include "platform/disk_space.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstdlib>

#include "platform/file_system.h"

namespace platform {
namespace {

// The path itself when it exists, else its nearest existing ancestor.
std::string NearestExisting(std::string path) {
    while (!path.empty() && !PathExists(path)) {
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        const size_t slash = path.rfind('/');
        if (slash == std::string::npos) return ".";
        path.resize(slash == 0 ? 1 : slash);
    }
    return path;
}

}  // namespace

bool QueryDiskSpace(const std::string& path, DiskSpace& space, int* errorCode) {
    if (path.empty()) {
        if (errorCode != nullptr) *errorCode = ENOENT;
        return false;
    }
    struct statvfs info {};
    if (::statvfs(NearestExisting(path).c_str(), &info) != 0) {
        if (errorCode != nullptr) *errorCode = errno;
        return false;
    }
    const uint64_t unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    space.freeBytesAvailable = static_cast<uint64_t>(info.f_bavail) * unit;
    space.totalBytes = static_cast<uint64_t>(info.f_blocks) * unit;
    space.totalFreeBytes = static_cast<uint64_t>(info.f_bfree) * unit;
    if (const char* stand_in = std::getenv("TARVO_FREE_DISK_BYTES");
        stand_in != nullptr && *stand_in != '\0') {
        space.freeBytesAvailable = space.totalFreeBytes = std::strtoull(stand_in, nullptr, 10);
    }
    return true;
}

}  // namespace platform
