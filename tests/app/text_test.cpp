#include <gtest/gtest.h>

#include "app/number_text.h"
#include "app/text_conversion.h"

namespace {

TEST(TrimTest, RemovesAllSixBlanks) {
    const std::string blanks = " \t\n\v\f\r";
    EXPECT_EQ(Trim(blanks), "");
    EXPECT_EQ(Trim(blanks + "a b" + blanks), "a b");
    EXPECT_EQ(TrimLeft(blanks + "a "), "a ");
    EXPECT_EQ(TrimRight(" a" + blanks), " a");
    EXPECT_EQ(Trim(""), "");
}

TEST(ConversionTest, CodePagesAndStrictUtf8) {
    EXPECT_EQ(ToWide("\xD2\xF4\xC6\xB5", 936), "音频");
    EXPECT_EQ(ToNarrow("音频", 936), "\xD2\xF4\xC6\xB5");
    EXPECT_EQ(ToWide("\xD2", 936), "");
    EXPECT_EQ(ToNarrow("😀", 936), "");
    EXPECT_EQ(Utf8ToWide("音频"), "音频");
    EXPECT_EQ(Utf8ToWide("ok\xC0\xAF"), "");
    EXPECT_EQ(UIntToText(4294967295u), "4294967295");
}

TEST(NumberTextTest, ShortestTextReadsBack) {
    EXPECT_EQ(ShortestText(0.7), "0.7");
    EXPECT_EQ(ShortestText(0.5), "0.5");
    EXPECT_EQ(ShortestText(0.0), "0");
    EXPECT_EQ(ShortestText(1.0), "1");
    EXPECT_EQ(ShortestText(0.1 + 0.2), "0.30000000000000004");
}

}  // namespace
