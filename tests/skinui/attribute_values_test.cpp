#include "skinui/attribute_values.h"

#include <gtest/gtest.h>

#include "skinui/text_table.h"

namespace skinui {
namespace {

TEST(AttributeValuesTest, ColoursInBothNotations) {
    const struct {
        const char* text;
        std::optional<uint32_t> argb;
    } cases[] = {
        {"#FF888888", 0xFF888888u}, {"0xFFF3F5F9", 0xFFF3F5F9u},  {"##FF777777", 0xFF777777u},
        {"#26003B76", 0x26003B76u}, {"#00FFFFFF", 0x00FFFFFFu},   {"#FFZZ0000", std::nullopt},
        {"", std::nullopt},         {"#FF0000001", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseColor(c.text), c.argb) << c.text;
}

TEST(AttributeValuesTest, RectanglesSizesAndNumbers) {
    EXPECT_EQ(ParseRect("26,0,0,0"), (Rect{26, 0, 0, 0}));
    EXPECT_EQ(ParseRect("84,2,100,18"), (Rect{84, 2, 100, 18}));
    EXPECT_EQ(ParseRect("1,2"), (Rect{1, 2, 0, 0}));
    EXPECT_EQ(ParseRect("-5 -6 7 8"), (Rect{-5, -6, 7, 8}));
    EXPECT_EQ(ParseSize("600,400"), (Size{600, 400}));
    EXPECT_EQ(ParsePoint("1,1"), (Point{1, 1}));
    EXPECT_EQ(ParseInt("-21"), -21);
    EXPECT_EQ(ParseInt("x"), std::nullopt);
    EXPECT_TRUE(ParseBool("TRUE"));
    EXPECT_FALSE(ParseBool("1"));
}

TEST(TextTableTest, TokensAreReplacedAndUnknownOnesKept) {
    TextTable& table = TextTable::Instance();
    table.Clear();
    table.Set(7, "安装");
    table.Set(12, "Install");
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"%{7}", "安装"},     {"立即%{7}!", "立即安装!"}, {"%{12} %{7}", "Install 安装"},
        {"%{99}", "%{99}"},   {"%{x}%{7", "%{x}%{7"},     {"100%", "100%"},
        {"%%{7}}", "%安装}"},
    };
    for (const auto& c : cases) EXPECT_EQ(table.Substitute(c.text), c.shown) << c.text;
    table.Clear();
}

}  // namespace
}  // namespace skinui
