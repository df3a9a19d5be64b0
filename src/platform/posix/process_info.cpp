#include "platform/process_info.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <climits>

namespace platform {

uint32_t CurrentProcessId() { return static_cast<uint32_t>(::getpid()); }

uint32_t CurrentThreadId() { return static_cast<uint32_t>(::syscall(SYS_gettid)); }

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) return {};
    return std::string(buffer, static_cast<size_t>(length));
}

}  // namespace platform
