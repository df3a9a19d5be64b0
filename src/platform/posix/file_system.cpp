#include "platform/file_system.h"

#include <sys/stat.h>

#include <cstdlib>

namespace platform {

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0; }

std::string TempDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
    if (!dir.ends_with(kPathSeparator)) dir.push_back(kPathSeparator);
    return dir;
}

}  // namespace platform
