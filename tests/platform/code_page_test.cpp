#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace {

// "音频" in GBK.
const std::string kGbk = "\xD2\xF4\xC6\xB5";

TEST(CodePageTest, ConvertsBetweenGbkAndUtf8) {
    EXPECT_EQ(platform::ConvertCodePage(kGbk, 936, platform::kCodePageUtf8), "音频");
    EXPECT_EQ(platform::ConvertCodePage("音频", platform::kCodePageUtf8, 936), kGbk);
    EXPECT_EQ(platform::ConvertCodePage("", 936, platform::kCodePageUtf8), "");
}

TEST(CodePageTest, RefusesTextInvalidInItsCodePage) {
    EXPECT_EQ(platform::ConvertCodePage("\xFF\xFE", platform::kCodePageUtf8, 936), std::nullopt);
    EXPECT_EQ(platform::ConvertCodePage("\xD2", 936, platform::kCodePageUtf8), std::nullopt);
    EXPECT_EQ(platform::ConvertCodePage("abc", 4242424, platform::kCodePageUtf8), std::nullopt);
}

TEST(CodePageTest, AnsiIsTheLocaleEncoding) {
    ::setenv("LC_ALL", "zh_CN.GBK", 1);
    EXPECT_EQ(platform::CodePageEncodingName(platform::kCodePageAnsi), "GBK");
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(platform::CodePageEncodingName(platform::kCodePageAnsi), "UTF-8");
    ::unsetenv("LC_ALL");
}

}  // namespace
