#include "platform/thread_name.h"

#include <pthread.h>

namespace platform {
namespace {
// The kernel keeps at most 15 bytes of a thread's name.
constexpr size_t kNameLimit = 15;
}  // namespace

void SetCurrentThreadName(const std::string& name) {
    size_t length = name.size() < kNameLimit ? name.size() : kNameLimit;
    // Do not cut a UTF-8 character in two: back up over continuation bytes.
    if (length < name.size()) {
        while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) --length;
    }
    ::pthread_setname_np(::pthread_self(), name.substr(0, length).c_str());
}

std::string CurrentThreadName() {
    char buffer[kNameLimit + 1] = {};
    if (::pthread_getname_np(::pthread_self(), buffer, sizeof buffer) != 0) return {};
    return buffer;
}

}  // namespace platform
