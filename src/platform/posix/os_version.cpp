#include "platform/os_version.h"

#include <sys/utsname.h>

#include <string_view>

namespace platform {

OsVersion QueryOsVersion() {
    utsname names{};
    if (::uname(&names) != 0) return OsVersion{"Linux", ""};
    return OsVersion{names.sysname, names.release};
}

bool IsWow64() {
    if constexpr (sizeof(void*) == 8) return false;
    utsname names{};
    if (::uname(&names) != 0) return false;
    const std::string_view machine(names.machine);
    return machine == "x86_64" || machine == "aarch64" || machine == "ppc64le" ||
           machine == "s390x" || machine == "riscv64";
}

}  // namespace platform
