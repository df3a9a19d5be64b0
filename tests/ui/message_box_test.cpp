// The installer's dialogs and the answers they give, on the headless host.

#include <gtest/gtest.h>

#include <functional>

#include "skinui/button.h"
#include "skinui/headless_host.h"
#include "skinui/key_codes.h"
#include "skinui/paint_manager.h"
#include "ui/message_box.h"

namespace {

// Does `act` to the dialog once it shows, and returns ShowMessageBox's result.
int Answer(const std::string& layout, const std::function<void(CMessageBoxWnd&)>& act,
           const std::optional<std::string>& text = std::nullopt,
           const std::optional<std::string>& caption = std::nullopt,
           std::function<void(CMessageBoxWnd&)> inspect = nullptr) {
    struct Step {
        std::function<void(CMessageBoxWnd&)> act, inspect;
    } step{act, std::move(inspect)};
    g_idle_add(
        +[](gpointer data) -> gboolean {
            auto* s = static_cast<Step*>(data);
            CMessageBoxWnd* dialog = CMessageBoxWnd::Showing();
            if (!dialog) return G_SOURCE_CONTINUE;
            if (s->inspect) s->inspect(*dialog);
            s->act(*dialog);
            return G_SOURCE_REMOVE;
        },
        &step);
    skinui::HeadlessHost host;
    return ShowMessageBox(host, layout, nullptr, text, caption);
}

std::function<void(CMessageBoxWnd&)> Click(const char* name) {
    return [name](CMessageBoxWnd& dialog) {
        auto* button = dynamic_cast<skinui::Button*>(dialog.GetPaintManager().FindControl(name));
        ASSERT_NE(button, nullptr) << name;
        button->Activate();
    };
}

TEST(MessageBoxTest, AnswersTellWhichWayTheDialogWasLeft) {
    const auto systemClose = [](CMessageBoxWnd& dialog) {
        dialog.DispatchMessage({skinui::Message::kClose});
    };
    const auto escapeThenClose = [](CMessageBoxWnd& dialog) {
        dialog.DispatchMessage({skinui::Message::kKeyDown, skinui::kKeyEscape});
        EXPECT_TRUE(dialog.IsWindow());
        dialog.DispatchMessage({skinui::Message::kClose});
    };
    const struct {
        const char* layout;
        std::function<void(CMessageBoxWnd&)> act;
        int result;
    } cases[] = {
        {"ExitTipWnd.xml", Click("okBtn"), 0},
        {"ExitTipWnd.xml", Click("cancelBtn"), 1},
        {"ExitTipWnd.xml", Click("closebtn"), 2},
        {"ExitTipWnd.xml", systemClose, 1},
        {"ExitTipWnd.xml", escapeThenClose, 1},
        {"NetworkTipWnd.xml", Click("okBtn"), 0},
        {"NetworkTipWnd.xml", Click("cancelBtn"), 1},
        {"InstalledPathTipWnd.xml", Click("closebtn"), 2},
        {"MessageBox1Wnd.xml", Click("closebtn"), 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Answer(c.layout, c.act), c.result) << c.layout;
        EXPECT_EQ(CMessageBoxWnd::Showing(), nullptr);
    }
}

TEST(MessageBoxTest, ShowsTheCallersTextAndCaptionOrTheLayoutsOwn) {
    std::string text, caption;
    const auto read = [&](CMessageBoxWnd& dialog) {
        text = dialog.GetTextLabel()->GetText();
        caption = dialog.GetCaptionLabel()->GetText();
    };
    Answer("MessageBox1Wnd.xml", Click("closebtn"), std::string("第一行\r\n第二行"),
           std::string("温馨提示"), read);
    EXPECT_EQ(text, "第一行\r\n第二行");
    EXPECT_EQ(caption, "温馨提示");
    Answer("MessageBox2Wnd.xml", Click("closebtn"), std::nullopt, std::nullopt, read);
    EXPECT_EQ(text, "TEXT");
    EXPECT_EQ(caption, "CAPTION");
}

}  // namespace
