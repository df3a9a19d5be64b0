#include <gtest/gtest.h>

#include "skinui/combo.h"
#include "skinui/edit.h"
#include "skinui/key_codes.h"
#include "skinui/layout_builder.h"
#include "skinui/paint_manager.h"
#include "skinui/progress.h"
#include "skinui/vertical_layout.h"

namespace skinui {
namespace {

// A window's worth of controls built from a layout text, with the
// notifications they send.
class ControlsTest : public ::testing::Test, public NotifyListener {
  protected:
    void Build(const std::string& xml, const ControlFactory& factory = nullptr) {
        auto root = BuildLayout(xml, manager_, factory);
        ASSERT_NE(root, nullptr);
        manager_.SetClientSize({300, 200});
        manager_.AttachRoot(std::move(root));
        manager_.AddNotifier(this);
        manager_.LayoutIfNeeded();
    }
    void Notify(Notification& notification) override { seen_.push_back(notification); }
    void Click(Control* control) {
        const Rect r = control->GetPos();
        manager_.ButtonDown({r.left + 2, r.top + 2});
        manager_.ButtonUp({r.left + 2, r.top + 2});
    }

    PaintManager manager_;
    std::vector<Notification> seen_;
};

TEST_F(ControlsTest, EditTakesTypedTextAfterAClick) {
    Build(R"(<Window size="300,200"><VerticalLayout>
               <Edit name="dir" height="30" text="/opt"/></VerticalLayout></Window>)");
    auto* edit = dynamic_cast<Edit*>(manager_.FindControl("dir"));
    ASSERT_NE(edit, nullptr);
    manager_.Char('x');  // nothing has the keyboard yet
    EXPECT_EQ(edit->GetText(), "/opt");
    Click(edit);
    EXPECT_EQ(manager_.GetFocus(), edit);
    for (const char32_t c : std::u32string(U"/软件")) manager_.Char(static_cast<unsigned>(c));
    EXPECT_EQ(edit->GetText(), "/opt/软件");
    manager_.KeyDown(kKeyBackSpace);
    EXPECT_EQ(edit->GetText(), "/opt/软");
    EXPECT_EQ(seen_.size(), 4u);
    EXPECT_EQ(seen_.back().type, "textchanged");
    edit->SetText("/home");  // set by the program: no notification
    EXPECT_EQ(seen_.size(), 4u);
}

TEST_F(ControlsTest, ComboSelectsItemsAndReportsTheChange) {
    Build(R"(<Window><VerticalLayout><Combo name="lang" height="24">
               <ListLabelElement text="简体中文"/><ListLabelElement text="English"/>
               <ListLabelElement text="日本語"/></Combo></VerticalLayout></Window>)");
    auto* combo = dynamic_cast<Combo*>(manager_.FindControl("lang"));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(combo->SelectItem(1, false));
    EXPECT_TRUE(seen_.empty());
    EXPECT_EQ(combo->GetText(), "English");
    EXPECT_TRUE(combo->SelectItem(2));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].type, "itemselect");
    EXPECT_EQ(seen_[0].wParam, 2u);
    EXPECT_EQ(seen_[0].lParam, 1);
    EXPECT_FALSE(combo->SelectItem(3));
    Click(combo);  // wraps round to the first item
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(combo->GetItemText(combo->GetCurSel()), "简体中文");
}

TEST_F(ControlsTest, UnknownElementsGoToTheFactoryAndUnknownAttributesAreIgnored) {
    std::vector<std::string> asked;
    Build(R"(<Window size="300,200" customthing="1"><Image name="x"/>
               <VerticalLayout inset="1,1,1,1">
               <Progress name="bar" height="8" value="250" isstretchfore="true" bottombordersize="1"/>
               <SequenceLabel name="anim" height="20"/>
               <Mystery name="gone" height="20"/>
               <Label name="after" hotborercolor="#FF000000"/></VerticalLayout></Window>)",
          [&](std::string_view name) -> std::unique_ptr<Control> {
              asked.emplace_back(name);
              if (name == "SequenceLabel") return std::make_unique<Control>();
              return nullptr;
          });
    EXPECT_EQ(asked, (std::vector<std::string>{"SequenceLabel", "Mystery"}));
    EXPECT_NE(manager_.FindControl("anim"), nullptr);
    EXPECT_EQ(manager_.FindControl("gone"), nullptr);
    auto* bar = dynamic_cast<Progress*>(manager_.FindControl("bar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetValue(), 100);
    bar->SetValue(-3);
    EXPECT_EQ(bar->GetValue(), 0);
    // Left out elements take no space: the label follows the sequence label.
    EXPECT_EQ(manager_.FindControl("after")->GetPos(), (Rect{0, 28, 300, 200}));
    EXPECT_EQ(manager_.GetWindowAttribute("customthing"), "1");
}

TEST_F(ControlsTest, LayoutsThatAreNotLayoutsBuildNothing) {
    for (const char* xml : {"", "<Window>", "<Layout><VerticalLayout/></Layout>",
                            "<Window size=\"1,1\"><Font id=\"0\"/></Window>"}) {
        PaintManager manager;
        EXPECT_EQ(BuildLayout(xml, manager, nullptr), nullptr) << xml;
    }
}

}  // namespace
}  // namespace skinui
