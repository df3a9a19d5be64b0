#pragma once

#include <cstdint>

namespace Utils {

// Verdicts in the high 16 bits of CheckNetwork's answer.
inline constexpr uint32_t kNetworkConnected = 0;     // or the probe was unavailable
inline constexpr uint32_t kNetworkNone = 1;          // no connectivity at all
inline constexpr uint32_t kNetworkNoInternet = 2;    // a network, but no internet

// Connectivity flags in the low 16 bits, as the system's network list reports them.
inline constexpr uint32_t kConnectivitySubnet = 0x10;
inline constexpr uint32_t kConnectivityLocalNetwork = 0x20;
inline constexpr uint32_t kConnectivityInternet = 0x40;

// Asks the system whether the internet is reachable: verdict times 65536 plus
// the flags. Callers read a value above 65535 as "no internet".
uint32_t CheckNetwork();

}  // namespace Utils
