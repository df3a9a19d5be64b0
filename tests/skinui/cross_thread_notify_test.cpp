#include <glib.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "skinui/headless_host.h"
#include "test_window.h"

namespace skinui {
namespace {

TEST(CrossThreadNotifyTest, WorkersQueueNotificationsAndMessagesForTheWindowThread) {
    HeadlessHost host;
    struct Window : public testing::TestWindow {
        using TestWindow::TestWindow;
        int custom = 0;
        void HandleCustomMessage(const WindowMessage&) override { ++custom; }
    } window("exitTipWnd.xml");
    ASSERT_TRUE(window.Create(host));
    PaintManager& manager = window.GetPaintManager();
    Control* sender = manager.FindControl("okBtn");
    const std::thread::id windowThread = std::this_thread::get_id();
    bool allOnWindowThread = true;
    struct Checker : public NotifyListener {
        std::thread::id expected;
        bool* ok;
        void Notify(Notification&) override { *ok = *ok && std::this_thread::get_id() == expected; }
    } checker;
    checker.expected = windowThread;
    checker.ok = &allOnWindowThread;
    manager.AddNotifier(&checker);

    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) {
                manager.SendNotify(sender, "progress", static_cast<uintptr_t>(t), i, true);
                window.PostCustomMessage(1000, 0, i);
            }
        });
    }
    for (auto& worker : workers) worker.join();
    const guint tick = g_timeout_add(
        10, +[](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
    const gint64 end = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
    while ((window.notifications.size() < 200 || window.custom < 200) &&
           g_get_monotonic_time() < end) {
        g_main_context_iteration(nullptr, TRUE);
    }
    g_source_remove(tick);
    EXPECT_EQ(window.notifications.size(), 200u);
    EXPECT_EQ(window.custom, 200);
    EXPECT_TRUE(allOnWindowThread);
    manager.RemoveNotifier(&checker);
}

}  // namespace
}  // namespace skinui
