#include "platform/debug_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform {
namespace {

// The channel is chosen once, on first use, from the environment.
int OpenChannel() {
    const char* target = std::getenv("TARVO_DEBUG_OUTPUT");
    if (target == nullptr || *target == '\0') return -1;
    if (std::string_view(target) == "stderr") return STDERR_FILENO;
    return ::open(target, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
}

int Channel() {
    static const int fd = OpenChannel();
    return fd;
}

}  // namespace

bool DebugOutputEnabled() { return Channel() >= 0; }

void WriteDebugOutput(std::string_view line) {
    const int fd = Channel();
    if (fd < 0) return;
    // Each entry of the channel is one line of the file: a trailing CR LF
    // becomes LF, and a line written without a break gets one.
    std::string entry(line);
    if (entry.ends_with("\r\n")) {
        entry.erase(entry.size() - 2);
    }
    if (!entry.ends_with('\n')) entry.push_back('\n');
    // One write call per line; a short write is not retried, so that a line
    // is never split between two writes that other threads could interleave.
    [[maybe_unused]] ssize_t written = ::write(fd, entry.data(), entry.size());
}

}  // namespace platform
