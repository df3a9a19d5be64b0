#include "platform/pipe.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform {

bool CreatePipe(PipeHandle& readEnd, PipeHandle& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    readEnd = fds[0];
    writeEnd = fds[1];
    return true;
}

void ClosePipe(PipeHandle& handle) {
    if (handle != kNoPipeHandle) {
        ::close(handle);
        handle = kNoPipeHandle;
    }
}

long ReadPipe(PipeHandle handle, char* buffer, size_t size) {
    for (;;) {
        const ssize_t got = ::read(handle, buffer, size);
        if (got >= 0) return static_cast<long>(got);
        if (errno != EINTR) return -1;
    }
}

long WritePipe(PipeHandle handle, const char* data, size_t size) {
    for (;;) {
        const ssize_t put = ::write(handle, data, size);
        if (put >= 0) return static_cast<long>(put);
        if (errno != EINTR) return -1;
    }
}

unsigned WaitForPipes(const PipeHandle* handles, size_t count, int timeoutMs) {
    std::vector<pollfd> polled;
    std::vector<size_t> index;
    for (size_t i = 0; i < count; ++i) {
        if (handles[i] == kNoPipeHandle) continue;
        polled.push_back(pollfd{handles[i], POLLIN, 0});
        index.push_back(i);
    }
    const int ready = ::poll(polled.data(), polled.size(), timeoutMs);
    unsigned mask = 0;
    if (ready <= 0) return mask;
    for (size_t i = 0; i < polled.size(); ++i) {
        if ((polled[i].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) != 0) {
            mask |= 1u << index[i];
        }
    }
    return mask;
}

}  // namespace platform
