#include "install/account_probes.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

TEST(AccountProbes, AdministratorAccounts) {
    const std::pair<std::string, bool> cases[] = {
        {"root", true},
        {"", false},
        {"no-such-user-vantyx", false},
        {"nobody", false},
    };
    for (const auto& [name, admin] : cases) EXPECT_EQ(Utils::IsAdminAccount(name), admin) << name;
}

TEST(AccountProbes, ConsoleUserIsAKnownAccount) {
    std::string name = "stale";
    ASSERT_TRUE(Utils::GetConsoleUserName(name));
    EXPECT_NE(::getpwnam(name.c_str()), nullptr) << name;
}

TEST(AccountProbes, ElevationFollowsTheEffectiveUser) {
    EXPECT_EQ(Utils::IsTokenAdmin(), ::geteuid() == 0);
}

}  // namespace
