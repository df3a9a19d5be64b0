#include <gtest/gtest.h>

#include "app/check_network.h"
#include "app/elapsed_clock.h"
#include "app/version_probes.h"

namespace {

TEST(CheckNetworkTest, VerdictsAndFlags) {
    struct Case {
        const char* connectivity;
        uint32_t expected;
    } cases[] = {
        {"none", 1u << 16},
        {"local", (2u << 16) | Utils::kConnectivitySubnet},
        {"limited", (2u << 16) | Utils::kConnectivityLocalNetwork},
        {"full", Utils::kConnectivityInternet},
    };
    for (const Case& c : cases) {
        ::setenv("TARVO_CONNECTIVITY", c.connectivity, 1);
        const uint32_t answer = Utils::CheckNetwork();
        EXPECT_EQ(answer, c.expected) << c.connectivity;
        EXPECT_EQ(answer > 65535, std::string(c.connectivity) != "full");
    }
}

TEST(CheckNetworkTest, AsksTheSystemMonitor) {
    // Whatever this machine's network is, the answer is one of the known ones.
    const uint32_t answer = Utils::CheckNetwork();
    EXPECT_LE(answer >> 16, 2u);
}

TEST(ElapsedClockTest, CountsSecondsFromTheStart) {
    ElapsedClock clock;
    EXPECT_EQ(clock.SecondsAt(5000), 0.0f);
    clock.StartAt(1000);
    EXPECT_EQ(clock.SecondsAt(91000), 90.0f);
    clock.StartAt(UINT32_MAX - 499);  // the tick count wraps
    EXPECT_EQ(clock.SecondsAt(500), 1.0f);
}

TEST(VersionProbeTest, ReportsThisSystem) {
    const platform::OsVersion version = GetOsVersionName();
    EXPECT_EQ(version.family, "Linux");
    EXPECT_FALSE(version.name.empty());
    EXPECT_EQ(IsWow64(), sizeof(void*) == 4 && version.name.find("x86_64") == std::string::npos &&
                             false);
}

}  // namespace
