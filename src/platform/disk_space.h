#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct DiskSpace {
    uint64_t freeBytesAvailable = 0;  // to the calling user
    uint64_t totalBytes = 0;
    uint64_t totalFreeBytes = 0;
};

// The space of the volume that holds a path. The path need not exist yet: the
// nearest existing ancestor is asked (a relative path is taken from the
// working folder). False with the system's error number in *errorCode when it
// cannot be asked (an empty path among them).
//
// The environment variable TARVO_FREE_DISK_BYTES, a decimal byte count,
// replaces both free figures of the answer; it stands in for full or small
// disks that tests cannot arrange.
bool QueryDiskSpace(const std::string& path, DiskSpace& space, int* errorCode);

}  // namespace platform
