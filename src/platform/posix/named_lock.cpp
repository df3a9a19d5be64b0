#include "platform/named_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

NamedLock::NamedLock(std::string name) : name_(std::move(name)) {}

NamedLock::~NamedLock() {
    Release();
}

std::string NamedLock::LockFilePath(const std::string& name) {
    std::string fileName = name;
    for (char& c : fileName) {
        if (c == '/') c = '_';
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return std::string(runtime) + "/" + fileName + ".lock";
    }
    return "/tmp/" + fileName + "." + std::to_string(::getuid()) + ".lock";
}

bool NamedLock::TryAcquire() {
    if (fd_ >= 0) return true;
    const int fd = ::open(LockFilePath(name_).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void NamedLock::Release() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace platform
