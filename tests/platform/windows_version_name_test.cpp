#include <gtest/gtest.h>

#include "platform/os_version.h"

namespace {

TEST(WindowsVersionNameTest, NamesEveryRowOfTheTable) {
    struct Case {
        uint32_t major, minor, build;
        bool r2;
        const char* name;
    } cases[] = {
        {0, 0, 0, false, "XP-"},       {4, 9, 0, false, "XP-"},
        {5, 0, 0, false, "2K"},        {5, 1, 0, false, "XP"},
        {5, 2, 0, false, "Server 2003"}, {5, 2, 0, true, "Server 2003 R2"},
        {5, 3, 0, false, "XP+"},       {6, 0, 0, false, "Vista"},
        {6, 1, 0, false, "7"},         {6, 2, 0, false, "8"},
        {6, 3, 0, false, "8.1"},       {6, 4, 0, false, "8.1+"},
        {10, 0, 22631, false, "10"},   {10, 1, 0, false, "10+"},
        {11, 0, 22000, false, "11.0.22000"}, {7, 0, 1234, false, "7.0.1234"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::WindowsVersionName(c.major, c.minor, c.build, c.r2), c.name)
            << c.major << "." << c.minor;
    }
}

}  // namespace
