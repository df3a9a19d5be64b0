#include "app/guid_text.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

TEST(GuidTextTest, ThirdGroupIsLowerCase) {
    const std::array<uint8_t, 16> bytes = {0x12, 0x34, 0xAB, 0xCD, 0xEF, 0x01, 0xAB, 0xCD,
                                           0x0A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(GuidText(bytes), "1234ABCDEF01abcd0ABCDEF012345678");
}

TEST(GuidTextTest, FreshGuidsHaveTheFormatAndDiffer) {
    const std::regex shape("[0-9A-F]{12}[0-9a-f]{4}[0-9A-F]{16}");
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        const std::string text = NewGuidText();
        EXPECT_TRUE(std::regex_match(text, shape)) << text;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 100u);
}

}  // namespace
