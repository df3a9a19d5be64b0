#pragma once

namespace platform {

// What the system's network monitor says about the way to the internet.
enum class Connectivity {
    Unavailable,  // no monitor could be asked
    None,         // no network at all
    Local,        // a network, but no route to the internet
    Limited,      // a route, but the internet cannot be reached (or a captive portal)
    Full,         // the internet is reachable
};

// Asks the system's network monitor. The environment variable
// TARVO_CONNECTIVITY ("none", "local", "limited", "full") overrides the
// answer; it stands in for networks that tests cannot arrange.
Connectivity QueryConnectivity();

}  // namespace platform
