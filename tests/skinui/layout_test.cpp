#include <gtest/gtest.h>

#include "skinui/check_box.h"
#include "skinui/container.h"
#include "skinui/headless_host.h"
#include "skinui/label.h"
#include "skinui/tab_layout.h"
#include "skinui/text_table.h"
#include "skinui/window_message.h"
#include "test_window.h"

namespace skinui {
namespace {

using testing::TestWindow;

class MainLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Create(host_));
        manager_ = &window_.GetPaintManager();
        manager_->LayoutIfNeeded();
    }
    Rect PosOf(const char* name) {
        Control* control = manager_->FindControl(name);
        EXPECT_NE(control, nullptr) << name;
        return control ? control->GetPos() : Rect{};
    }
    TabLayout* Pages() { return dynamic_cast<TabLayout*>(manager_->FindControl("mainTabLt")); }

    HeadlessHost host_;
    TestWindow window_{"MainWnd.xml"};
    PaintManager* manager_ = nullptr;
};

TEST_F(MainLayoutTest, WindowElementAttributes) {
    EXPECT_EQ(manager_->GetInitSize(), (Size{600, 400}));
    EXPECT_EQ(manager_->GetCaptionRect(), (Rect{0, 0, 0, 35}));
    EXPECT_EQ(manager_->GetRoundCorner(), (Size{1, 0}));
    EXPECT_EQ(manager_->GetWindowAttribute("ShadowColor"), "#26003B76");
    EXPECT_EQ(manager_->GetWindowAttribute("shadowposition"), "1,1");
    EXPECT_EQ(window_.GetNative()->GetWindowRect().Width(), 600);
    EXPECT_EQ(manager_->GetFont(7).size, 30);
    EXPECT_TRUE(manager_->GetFont(7).bold);
    EXPECT_EQ(manager_->GetFont(-1).size, 14);  // the default font
}

TEST_F(MainLayoutTest, ControlRectanglesOnEachPage) {
    EXPECT_EQ(Pages()->GetCurSel(), 0);
    const struct {
        int page;
        const char* name;
        Rect pos;
    } cases[] = {
        {0, "minbtn", {542, 10, 566, 34}},
        {0, "closebtn", {576, 10, 600, 34}},
        {0, "defaultInstallBtn", {200, 179, 400, 225}},
        {0, "treatyCb", {1, 361, 69, 379}},
        {0, "customeBtn", {489, 361, 589, 379}},  // 20 high in an 18-high row
        {1, "installDirEdit", {129, 179, 469, 219}},
        {1, "chDirBtn", {479, 181, 559, 217}},
        {1, "customeInstallBtn", {200, 306, 400, 352}},
        {2, "installPrg", {95, 321, 505, 329}},
        {2, "progressLb", {120, 277, 480, 301}},
        {3, "openProduceBtn", {200, 285, 400, 332}},
    };
    for (const auto& c : cases) {
        Pages()->SelectItem(c.page, false);
        manager_->LayoutIfNeeded();
        EXPECT_EQ(PosOf(c.name), c.pos) << c.name;
    }
}

TEST_F(MainLayoutTest, HiddenControlsTakeNoSpace) {
    Pages()->SelectItem(1, false);
    manager_->LayoutIfNeeded();
    Control* title = manager_->FindControl("bTitleLbl2");
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->IsVisible());
    const Rect logo = title->GetParent()
                          ? dynamic_cast<Container*>(title->GetParent())->GetItemAt(2)->GetPos()
                          : Rect{};
    EXPECT_EQ(logo.left, 105);  // centred: (598 - 389) split 104 / 105 after the 1-pixel margin
    title->SetVisible(true);
    manager_->LayoutIfNeeded();
    EXPECT_EQ(title->GetPos().left, 1);
    EXPECT_EQ(dynamic_cast<Container*>(title->GetParent())->GetItemAt(2)->GetPos().left, 251);
}

TEST_F(MainLayoutTest, AttributesAsTheControlsReadThem) {
    auto* treaty = dynamic_cast<CheckBox*>(manager_->FindControl("treatyCb"));
    ASSERT_NE(treaty, nullptr);
    EXPECT_TRUE(treaty->GetCheck());
    EXPECT_EQ(treaty->GetText(), "已同意");
    EXPECT_EQ(treaty->GetTextColor(), 0xFF8991AFu);
    EXPECT_EQ(treaty->GetTextPadding(), (Rect{26, 0, 0, 0}));
    // "##FF777777" still reads as a colour.
    EXPECT_EQ(manager_->FindControl("createDSCb")->GetTextColor(), 0xFF777777u);
    auto* progress = dynamic_cast<Label*>(manager_->FindControl("progressLb"));
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->GetTextStyle().align, HAlign::kCenter);
    EXPECT_EQ(progress->GetText(), "正在安装中:0%，请稍候...");
    EXPECT_EQ(manager_->FindControl("installDirEdit")->GetClass(), "Edit");
    EXPECT_EQ(manager_->FindControl("installPrg")->GetClass(), "Progress");
    // The frame-sequence control is the window's to make; the framework leaves it out.
    EXPECT_EQ(manager_->FindControl("progressAnLb"), nullptr);
}

TEST_F(MainLayoutTest, ClickOnAButtonNotifiesTheWindow) {
    const Rect button = PosOf("defaultInstallBtn");
    const Point inside{button.left + 20, button.top + 10};
    window_.DispatchMessage({Message::kButtonDown, 0, PackPoint(inside)});
    window_.DispatchMessage({Message::kButtonUp, 0, PackPoint(inside)});
    ASSERT_EQ(window_.notifications.size(), 1u);
    EXPECT_EQ(window_.notifications[0].type, "click");
    EXPECT_EQ(window_.notifications[0].sender->GetName(), "defaultInstallBtn");
    EXPECT_EQ(window_.notifications[0].point, inside);

    // Released elsewhere: no click.
    window_.DispatchMessage({Message::kButtonDown, 0, PackPoint(inside)});
    window_.DispatchMessage({Message::kButtonUp, 0, PackPoint({5, 5})});
    EXPECT_EQ(window_.notifications.size(), 1u);

    // Disabled: no click.
    manager_->FindControl("defaultInstallBtn")->SetEnabled(false);
    window_.DispatchMessage({Message::kButtonDown, 0, PackPoint(inside)});
    window_.DispatchMessage({Message::kButtonUp, 0, PackPoint(inside)});
    EXPECT_EQ(window_.notifications.size(), 1u);
}

TEST_F(MainLayoutTest, CheckBoxAndTabNotifyOnlyWhenAsked) {
    auto* treaty = dynamic_cast<CheckBox*>(manager_->FindControl("treatyCb"));
    treaty->SetCheck(false, false);
    EXPECT_TRUE(window_.notifications.empty());
    treaty->SetCheck(true);
    ASSERT_EQ(window_.notifications.size(), 1u);
    EXPECT_EQ(window_.notifications[0].type, "selectchanged");

    // A click toggles and reports both.
    const Rect box = treaty->GetPos();
    window_.DispatchMessage({Message::kButtonDown, 0, PackPoint({box.left + 5, box.top + 5})});
    window_.DispatchMessage({Message::kButtonUp, 0, PackPoint({box.left + 5, box.top + 5})});
    EXPECT_FALSE(treaty->GetCheck());
    ASSERT_EQ(window_.notifications.size(), 3u);
    EXPECT_EQ(window_.notifications[1].type, "selectchanged");
    EXPECT_EQ(window_.notifications[2].type, "click");

    window_.notifications.clear();
    EXPECT_TRUE(Pages()->SelectItem(2));
    ASSERT_EQ(window_.notifications.size(), 1u);
    EXPECT_EQ(window_.notifications[0].type, "tabselect");
    EXPECT_EQ(window_.notifications[0].wParam, 2u);
    EXPECT_EQ(window_.notifications[0].lParam, 0);
    EXPECT_FALSE(Pages()->SelectItem(4));
    EXPECT_EQ(Pages()->GetCurSel(), 2);
}

TEST_F(MainLayoutTest, CloseButtonClosesTheWindow) {
    const Rect close = PosOf("closebtn");
    const Point inside{close.left + 5, close.top + 5};
    window_.DispatchMessage({Message::kButtonDown, 0, PackPoint(inside)});
    window_.DispatchMessage({Message::kButtonUp, 0, PackPoint(inside)});
    EXPECT_FALSE(window_.IsWindow());
    EXPECT_EQ(window_.GetCloseCode(), 1);
}

TEST_F(MainLayoutTest, TextMeasurementFollowsFontAndTokens) {
    TextTable::Instance().Set(3, "安装安装");
    const Size small = manager_->MeasureText("安装", 3, {}, 0);
    const Size large = manager_->MeasureText("安装", 5, {}, 0);
    EXPECT_GT(small.cx, 0);
    EXPECT_GT(large.cx, small.cx * 2);
    const Size token = manager_->MeasureText("%{3}", 3, {}, 0);
    EXPECT_NEAR(token.cx, small.cx * 2, 2);
    TextStyle wrapped;
    wrapped.multiline = true;
    const Size lines = manager_->MeasureText("检测到计算机中已存在此软件，是否为您更新为最新版本？",
                                             1, wrapped, 120);
    EXPECT_LE(lines.cx, 120);
    EXPECT_GT(lines.cy, small.cy * 2);
    TextTable::Instance().Clear();
}

}  // namespace
}  // namespace skinui
