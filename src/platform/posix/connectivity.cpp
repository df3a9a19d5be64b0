#include "platform/connectivity.h"

#include <gio/gio.h>

#include <cstdlib>
#include <string_view>

namespace platform {
namespace {

bool FromEnvironment(Connectivity& answer) {
    const char* forced = std::getenv("TARVO_CONNECTIVITY");
    if (forced == nullptr) return false;
    const std::string_view value(forced);
    if (value == "none") answer = Connectivity::None;
    else if (value == "local") answer = Connectivity::Local;
    else if (value == "limited") answer = Connectivity::Limited;
    else if (value == "full") answer = Connectivity::Full;
    else return false;
    return true;
}

}  // namespace

Connectivity QueryConnectivity() {
    Connectivity answer = Connectivity::Unavailable;
    if (FromEnvironment(answer)) return answer;

    // The default monitor is a process-wide singleton owned by GIO.
    GNetworkMonitor* monitor = g_network_monitor_get_default();
    if (monitor == nullptr) return Connectivity::Unavailable;
    if (!g_network_monitor_get_network_available(monitor)) return Connectivity::None;
    switch (g_network_monitor_get_connectivity(monitor)) {
        case G_NETWORK_CONNECTIVITY_LOCAL: return Connectivity::Local;
        case G_NETWORK_CONNECTIVITY_LIMITED:
        case G_NETWORK_CONNECTIVITY_PORTAL: return Connectivity::Limited;
        case G_NETWORK_CONNECTIVITY_FULL: return Connectivity::Full;
    }
    return Connectivity::Unavailable;
}

}  // namespace platform
