#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Test, CountsAndCutsWholeCharacters) {
    EXPECT_EQ(platform::Utf8Length("a音b"), 3u);
    EXPECT_EQ(platform::Utf8Prefix("a音b", 2), "a音");
    EXPECT_EQ(platform::Utf8Prefix("a音b", 9), "a音b");
    EXPECT_EQ(platform::Utf8Prefix("音", 0), "");
}

TEST(Utf8Test, ValidatesStrictly) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {
        {"plain", true},       {"音频 😀", true},          {"\xC0\xAF", false},  // overlong
        {"\xED\xA0\x80", false},  // surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xE9\x9F", false},   // cut short
        {"\x80", false},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::IsValidUtf8(c.text), c.valid) << c.text;
}

}  // namespace
