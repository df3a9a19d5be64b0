#include <glib.h>
#include <gtest/gtest.h>

#include "platform/embedded_resources.h"
#include "skinui/container.h"
#include "skinui/headless_host.h"
#include "skinui/window_message.h"
#include "test_window.h"

namespace skinui {
namespace {

using testing::TestWindow;

// Runs the thread's main context until `done` or a time limit.
template <typename Done>
bool RunUntil(Done done, int limitMs = 5000) {
    // A ticking source keeps each iteration short when nothing else is due.
    const guint tick = g_timeout_add(
        10, +[](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
    const gint64 end = g_get_monotonic_time() + limitMs * 1000;
    while (!done() && g_get_monotonic_time() < end) g_main_context_iteration(nullptr, TRUE);
    g_source_remove(tick);
    return done();
}

class NotificationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Create(host_));
        manager_ = &window_.GetPaintManager();
        button_ = manager_->FindControl("okBtn");
        ASSERT_NE(button_, nullptr);
    }
    int Count(const char* type) const {
        int n = 0;
        for (const auto& notification : window_.notifications) n += notification.type == type;
        return n;
    }

    HeadlessHost host_;
    TestWindow window_{"exitTipWnd.xml"};
    PaintManager* manager_ = nullptr;
    Control* button_ = nullptr;
};

TEST_F(NotificationTest, TimersArriveAsTimerNotificationsUntilKilled) {
    ASSERT_TRUE(manager_->SetTimer(button_, 42, 5));
    ASSERT_TRUE(RunUntil([&] { return Count("timer") >= 3; }));
    const Notification& tick = window_.notifications.back();
    EXPECT_EQ(tick.sender, button_);
    EXPECT_EQ(tick.wParam, 42u);
    EXPECT_GT(tick.timestamp, 0u);

    EXPECT_TRUE(manager_->KillTimer(button_, 42));
    EXPECT_FALSE(manager_->KillTimer(button_, 42));
    const int seen = Count("timer");
    // Another timer proves the loop ran long enough for the first to fire again.
    Control* cancel = manager_->FindControl("cancelBtn");
    manager_->SetTimer(cancel, 7, 20);
    ASSERT_TRUE(RunUntil([&] { return window_.notifications.back().sender == cancel; }));
    EXPECT_EQ(Count("timer"), seen + 1);
}

TEST_F(NotificationTest, TimerKilledFromItsOwnNotificationStops) {
    struct Killer : public NotifyListener {
        PaintManager* manager;
        int ticks = 0;
        void Notify(Notification& n) override {
            if (n.type != "timer") return;
            ++ticks;
            manager->KillTimer(n.sender, static_cast<unsigned>(n.wParam));
        }
    } killer;
    killer.manager = manager_;
    manager_->AddNotifier(&killer);
    manager_->SetTimer(button_, 1, 1);
    manager_->SetTimer(manager_->FindControl("cancelBtn"), 2, 30);
    ASSERT_TRUE(RunUntil([&] { return killer.ticks == 2; }));
    EXPECT_FALSE(manager_->HasTimer(button_, 1));
    manager_->RemoveNotifier(&killer);
}

TEST_F(NotificationTest, QueuedNotificationsWaitForTheLoop) {
    manager_->SendNotify(button_, "install", 5, 6, true);
    manager_->SendNotify(button_, "checknet", 1, 0, true);
    EXPECT_EQ(Count("install"), 0);
    ASSERT_TRUE(RunUntil([&] { return Count("checknet") == 1; }));
    ASSERT_EQ(window_.notifications.size(), 2u);
    EXPECT_EQ(window_.notifications[0].type, "install");  // in the order sent
    EXPECT_EQ(window_.notifications[0].wParam, 5u);
    EXPECT_EQ(window_.notifications[0].lParam, 6);

    manager_->SendNotify(button_, "now", 0, 0, false);
    EXPECT_EQ(Count("now"), 1);
}

TEST_F(NotificationTest, DestroyedControlsLoseTheirTimersAndQueuedNotifications) {
    auto* row = dynamic_cast<Container*>(button_->GetParent());
    ASSERT_NE(row, nullptr);
    auto doomed = std::make_unique<Control>();
    Control* raw = row->Add(std::move(doomed));
    manager_->SetTimer(raw, 3, 1);
    manager_->SendNotify(raw, "late", 0, 0, true);
    manager_->ForgetControl(raw);
    manager_->SendNotify(button_, "marker", 0, 0, true);
    ASSERT_TRUE(RunUntil([&] { return Count("marker") == 1; }));
    EXPECT_EQ(Count("late"), 0);
    EXPECT_FALSE(manager_->HasTimer(raw, 3));
}

TEST_F(NotificationTest, ModalRunEndsWithTheCloseCode) {
    struct Closer : public NotifyListener {
        TestWindow* window;
        void Notify(Notification& n) override {
            if (n.type == "timer") window->Close(7);
        }
    } closer;
    closer.window = &window_;
    manager_->AddNotifier(&closer);
    manager_->SetTimer(button_, 1, 5);
    EXPECT_EQ(window_.ShowModal(), 7);
    EXPECT_FALSE(window_.IsWindow());
}

TEST_F(NotificationTest, DialogCentresOnItsOwnerAndRunsModally) {
    TestWindow dialog("MessageBox2Wnd.xml");
    ASSERT_TRUE(dialog.Create(host_, &window_));
    dialog.CenterWindow();
    // Centred on the work area when the owner is not shown; on the owner when it is.
    window_.GetNative()->Move({100, 100});
    window_.ShowWindow();
    dialog.CenterWindow();
    EXPECT_EQ(dialog.GetNative()->GetWindowRect().left, 100);  // both are 360 x 180
    EXPECT_EQ(dialog.GetNative()->GetWindowRect().top, 100);

    struct Closer : public NotifyListener {
        TestWindow* dialog;
        void Notify(Notification& n) override {
            if (n.type == "timer") dialog->Close(2);
        }
    } closer;
    closer.dialog = &dialog;
    dialog.GetPaintManager().AddNotifier(&closer);
    ASSERT_TRUE(
        dialog.GetPaintManager().SetTimer(dialog.GetPaintManager().FindControl("closebtn"), 1, 5));
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(window_.IsWindow());
}

TEST_F(NotificationTest, CentredOnTheWorkAreaWithoutAnOwner) {
    window_.CenterWindow();
    const Rect rect = window_.GetNative()->GetWindowRect();
    EXPECT_EQ(rect.left, (1920 - 360) / 2);
    EXPECT_EQ(rect.top, (1040 - 180) / 2);
}

TEST_F(NotificationTest, PostedCustomMessagesArriveOnTheLoop) {
    struct Window : public TestWindow {
        using TestWindow::TestWindow;
        std::vector<WindowMessage> custom;
        void HandleCustomMessage(const WindowMessage& m) override { custom.push_back(m); }
    } window("exitTipWnd.xml");
    ASSERT_TRUE(window.Create(host_));
    window.PostCustomMessage(1000, 3, 4);
    EXPECT_TRUE(window.custom.empty());
    ASSERT_TRUE(RunUntil([&] { return !window.custom.empty(); }));
    EXPECT_EQ(window.custom[0].customId, 1000u);
    EXPECT_EQ(window.custom[0].wParam, 3u);
    EXPECT_EQ(window.custom[0].lParam, 4);
}

TEST_F(NotificationTest, IconsComeFromPngResources) {
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 16);
    static std::vector<unsigned char> png;
    cairo_surface_write_to_png_stream(
        picture,
        [](void*, const unsigned char* data, unsigned int length) {
            png.insert(png.end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        nullptr);
    cairo_surface_destroy(picture);
    platform::RegisterResource("ICON", 145, png);
    static const unsigned char kNotPng[] = {1, 2, 3};
    platform::RegisterResource("ICON", 146, kNotPng);
    EXPECT_TRUE(window_.SetIcon(145));
    EXPECT_FALSE(window_.SetIcon(146));
    EXPECT_FALSE(window_.SetIcon(147));
}

}  // namespace
}  // namespace skinui
