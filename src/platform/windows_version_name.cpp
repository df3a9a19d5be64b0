#include "platform/os_version.h"

namespace platform {

std::string WindowsVersionName(uint32_t major, uint32_t minor, uint32_t build, bool serverR2) {
    if (major <= 4) return "XP-";
    if (major == 5) {
        switch (minor) {
            case 0: return "2K";
            case 1: return "XP";
            case 2: return serverR2 ? "Server 2003 R2" : "Server 2003";
            default: return "XP+";
        }
    }
    if (major == 6) {
        switch (minor) {
            case 0: return "Vista";
            case 1: return "7";
            case 2: return "8";
            case 3: return "8.1";
            default: return "8.1+";
        }
    }
    if (major == 10) return minor == 0 ? "10" : "10+";
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
}

}  // namespace platform
