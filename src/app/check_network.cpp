#include "app/check_network.h"

#include "app/debug_log.h"
#include "platform/connectivity.h"

namespace Utils {

uint32_t CheckNetwork() {
    uint32_t flags = 0;
    switch (platform::QueryConnectivity()) {
        case platform::Connectivity::Unavailable: return 0;
        case platform::Connectivity::None: flags = 0; break;
        case platform::Connectivity::Local: flags = kConnectivitySubnet; break;
        case platform::Connectivity::Limited: flags = kConnectivityLocalNetwork; break;
        case platform::Connectivity::Full: flags = kConnectivityInternet; break;
    }
    uint32_t verdict = kNetworkConnected;
    if (flags == 0) {
        DEBUG_LOG("GetConnectivity %d", static_cast<int>(flags));
        verdict = kNetworkNone;
    } else if ((flags & kConnectivityInternet) == 0) {
        DEBUG_LOG("get_IsConnectedToInternet:%d", 0);
        verdict = kNetworkNoInternet;
    }
    return verdict * 65536u + flags;
}

}  // namespace Utils
