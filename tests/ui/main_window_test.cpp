// The installer's main window on a private X server, installing the demo
// package from the test download service.

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <signal.h>

#include <filesystem>
#include <functional>

#include "app/installer_config.h"
#include "install/find_process.h"
#include "install/pre_install_checks.h"
#include "records/install_record.h"
#include "skinui/button.h"
#include "skinui/check_box.h"
#include "skinui/gtk_host.h"
#include "skinui/paint_manager.h"
#include "skinui/progress.h"
#include "support/background_process.h"
#include "support/test_folder.h"
#include "ui/main_wnd.h"
#include "ui/message_box.h"
#include "ui/window_shadow.h"
#include "xvfb_display.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;

// The test download service serving the demo package behind /software/195.
class Service {
public:
    Service() {
        const fs::path folder = testsupport::NewFolder("service");
        process_ = std::make_unique<testsupport::BackgroundProcess>(std::vector<std::string>{
            "python3", VANTYX_SOURCE_DIR "/tools/download-service/download_service.py", "--package",
            VANTYX_DEMO_PACKAGE, "--port-file", (folder / "port").string()});
        EXPECT_TRUE(testsupport::WaitForFile(folder / "port")) << process_->Err();
        port_ = std::stoi(ReadFile(folder / "port"));
    }
    std::string Url() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/software/195";
    }

private:
    std::unique_ptr<testsupport::BackgroundProcess> process_;
    int port_ = 0;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(display_.Start(1280, 800, error)) << error;
        setenv("NO_AT_BRIDGE", "1", 1);
        // Nothing here may open a browser: no desktop handlers for addresses.
        setenv("XDG_DATA_DIRS", testsupport::NewFolder("no-handlers").c_str(), 1);
        setenv("TARVO_CONNECTIVITY", "full", 1);
        ASSERT_TRUE(skinui::GtkHost::Open(nullptr, nullptr));
        CWindowShadow::Initialize(host_);
        InstallerConfig().m_IsCheckNet = true;
    }
    void TearDown() override {
        // The demo product started at the finish runs on the private display.
        while (const platform::ProcessId product = Utils::FindProcess(kProductExecutableName)) {
            ::kill(product, SIGKILL);
            PumpUntil([&] { return Utils::FindProcess(kProductExecutableName) != product; }, 2000);
        }
    }

    void Open() {
        ASSERT_TRUE(window_.Create(host_));
        window_.ShowWindow();
        ASSERT_TRUE(PumpUntil([&] {
            GdkWindow* w = gtk_widget_get_window(skinui::GtkHost::WidgetOf(window_.GetNative()));
            return w && gdk_window_is_viewable(w);
        }));
    }
    skinui::Control* Find(const char* name) { return window_.GetPaintManager().FindControl(name); }
    void Click(const char* name) {
        auto* button = dynamic_cast<skinui::Button*>(Find(name));
        ASSERT_NE(button, nullptr) << name;
        button->Activate();
    }
    static bool PumpUntil(const std::function<bool()>& done, int limitMs = 30000) {
        const guint tick = g_timeout_add(
            5, +[](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
        const gint64 end = g_get_monotonic_time() + limitMs * 1000LL;
        while (!done() && g_get_monotonic_time() < end) g_main_context_iteration(nullptr, TRUE);
        g_source_remove(tick);
        return done();
    }
    // Saves what the screen shows beside the other renders of the build.
    void Screenshot(const std::string& name) {
        const gint64 settle = g_get_monotonic_time() + 300 * 1000;
        PumpUntil([&] { return g_get_monotonic_time() > settle; });
        GdkPixbuf* screen =
            gdk_pixbuf_get_from_window(gdk_get_default_root_window(), 0, 0, 1280, 800);
        ASSERT_NE(screen, nullptr);
        const fs::path out = fs::path(VANTYX_BINARY_DIR) / "skin-renders";
        fs::create_directories(out);
        gdk_pixbuf_save(screen, (out / name).c_str(), "png", nullptr, nullptr);
        g_object_unref(screen);
    }

    testsupport::XvfbDisplay display_;
    skinui::GtkHost host_;
    CMainWnd window_;
};

TEST_F(MainWindowTest, QuickInstallReachesTheFinishedPageAndRecordsTheInstallation) {
    Service service;
    InstallerConfig().m_DownloadUrl = service.Url();
    Open();
    EXPECT_EQ(window_.CurrentPage(), CMainWnd::kWelcomePage);
    Click("defaultInstallBtn");

    auto* bar = dynamic_cast<skinui::Progress*>(Find("installPrg"));
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return window_.CurrentPage() == CMainWnd::kInstallingPage; }));
    // Closing is refused while the package is on its way.
    window_.DispatchMessage({skinui::Message::kClose});
    EXPECT_TRUE(window_.IsWindow());
    EXPECT_FALSE(Find("titleGrpCtn")->IsVisible());
    ASSERT_TRUE(PumpUntil([&] { return bar->GetValue() > 70; })) << bar->GetValue();
    EXPECT_NE(Find("progressLb")->GetText().find("正在安装中:"), std::string::npos);
    Screenshot("xvfb-mainWnd-installing.png");

    ASSERT_TRUE(PumpUntil([&] { return window_.CurrentPage() == CMainWnd::kFinishedPage; }));
    EXPECT_EQ(bar->GetValue(), 100);
    EXPECT_EQ(Find("winCtn")->GetBkImage(), "res\\mainWnd\\bg4.png");
    Screenshot("xvfb-mainWnd-finished.png");

    const std::string folder = window_.Record().m_InstalledDir;
    ASSERT_FALSE(folder.empty());
    InstallRecord record;
    record.ReadInstallRecord();
    EXPECT_EQ(record.m_RecordedInstallDir, folder);
    EXPECT_TRUE(record.m_HasExistingInstall);
    EXPECT_TRUE(fs::exists(fs::path(folder) / "set.ini"));
    EXPECT_FALSE(fs::exists(fs::path(folder) / "__Package_VantyxAudioEditor.exe"));
    // The package asked for the product to start at once.
    EXPECT_TRUE(PumpUntil([] { return Utils::FindProcess(kProductExecutableName) != 0; }, 5000));

    // On the finished page the close button closes without asking.
    Click("closebtn");
    EXPECT_TRUE(PumpUntil([&] { return !window_.IsWindow(); }, 2000));
}

TEST_F(MainWindowTest, TermsDecideWhatTheWelcomePageAllows) {
    Open();
    auto* terms = dynamic_cast<skinui::CheckBox*>(Find("treatyCb"));
    ASSERT_NE(terms, nullptr);
    terms->Activate();
    EXPECT_FALSE(terms->GetCheck());
    EXPECT_FALSE(Find("customeBtn")->IsEnabled());
    EXPECT_TRUE(Find("defaultInstallBtn")->IsEnabled());
    Click("defaultInstallBtn");
    EXPECT_TRUE(Find("tipLbl")->IsVisible());
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(window_.CurrentPage(), CMainWnd::kWelcomePage);

    terms->Activate();
    EXPECT_TRUE(Find("customeBtn")->IsEnabled());
    EXPECT_FALSE(Find("tipLbl")->IsVisible());
    Click("customeBtn");
    EXPECT_EQ(window_.CurrentPage(), CMainWnd::kCustomPage);
    EXPECT_TRUE(Find("backBtn")->IsVisible());
    EXPECT_EQ(Find("winCtn")->GetBkImage(), "res\\mainWnd\\bg2.png");
}

TEST_F(MainWindowTest, DownloadFailureOffersToTryAgain) {
    // A loopback port that nothing listens on.
    InstallerConfig().m_DownloadUrl = "http://127.0.0.1:9/software/195";
    Open();
    struct Seen {
        std::string layout;
        int page = -1;
        CMainWnd* window;
        std::string title;
    } seen{{}, -1, &window_, {}};
    const guint watch = g_timeout_add(
        20,
        +[](gpointer data) -> gboolean {
            auto* s = static_cast<Seen*>(data);
            CMessageBoxWnd* dialog = CMessageBoxWnd::Showing();
            if (!dialog) return G_SOURCE_CONTINUE;
            s->layout = dialog->GetSkinFile();
            s->title = gtk_window_get_title(
                GTK_WINDOW(skinui::GtkHost::WidgetOf(dialog->GetNative())));
            s->page = s->window->CurrentPage();
            dynamic_cast<skinui::Button*>(dialog->GetPaintManager().FindControl("cancelBtn"))
                ->Activate();
            return G_SOURCE_REMOVE;
        },
        &seen);
    Click("defaultInstallBtn");
    ASSERT_TRUE(PumpUntil([&] { return !seen.layout.empty(); }, 60000));
    EXPECT_EQ(seen.layout, "NetworkTipWnd.xml");
    EXPECT_EQ(seen.title, "消息框");
    EXPECT_EQ(seen.page, CMainWnd::kInstallingPage);
    // "Try later" leads back to where the installation was started.
    EXPECT_TRUE(PumpUntil([&] { return window_.CurrentPage() == CMainWnd::kWelcomePage; }, 2000));
    EXPECT_TRUE(window_.IsWindow());
    if (seen.layout.empty()) g_source_remove(watch);
}

TEST(ProductFolderTest, ChosenFolderGetsTheProductsFolder) {
    const struct {
        const char* chosen;
        const char* folder;
    } cases[] = {
        {"/", "/VantyxAudioEditor"},
        {"/home/ann/Apps", "/home/ann/Apps/VantyxAudioEditor"},
        {"/home/ann/Apps/", "/home/ann/Apps/VantyxAudioEditor"},
    };
    for (const auto& c : cases) EXPECT_EQ(CMainWnd::ProductFolderIn(c.chosen), c.folder);
    EXPECT_EQ(CMainWnd::ProductFolderIn("/" + std::string(300, 'a')).size(), 259u);
}

TEST(ProgressTextTest, FormatsTheNumberSafely) {
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"正在安装中:%d%%，请稍候...", "正在安装中:35%，请稍候..."},
        {"%d", "35"},
        {"%s %n %d %d", "%s %n 35 %d"},  // only one number, nothing else is read
    };
    for (const auto& c : cases) EXPECT_EQ(CMainWnd::FormatProgressText(c.format, 35), c.text);
}

}  // namespace
