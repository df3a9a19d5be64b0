// The real window on a private X server.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

// Xlib defines names such as None that clash with other headers; it comes last.
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "skinui/gtk_host.h"
#include "skinui/headless_host.h"
#include "support/run_process.h"
#include "support/test_folder.h"
#include "ui/skin_frame.h"
#include "xvfb_display.h"

namespace {

using skinui::Rect;

// The main window, counting the keys that reach its handler.
class CountingFrame : public CSkinFrame {
  public:
    CountingFrame() : CSkinFrame(SkinDescriptor::ForSkinFile("MainWnd.xml")) {}
    bool HandleMessage(const skinui::WindowMessage& message) override {
        if (message.type == skinui::Message::kKeyDown) ++keys;
        return CSkinFrame::HandleMessage(message);
    }
    int keys = 0;
};

class GtkWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(display_.Start(1280, 800, error)) << error;
        // Simulated presses and keys arrive as core X events, which GDK reads only then.
        setenv("GDK_CORE_DEVICE_EVENTS", "1", 1);
        setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus in tests
        ASSERT_TRUE(skinui::GtkHost::Open(nullptr, nullptr));
        shadowsReady_ = CWindowShadow::Initialize(host_);
    }

    // Runs the loop until `done` holds or a few seconds pass.
    static bool PumpUntil(const std::function<bool()>& done, int limitMs = 5000) {
        const guint tick = g_timeout_add(
            5, +[](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
        const gint64 end = g_get_monotonic_time() + limitMs * 1000;
        while (!done() && g_get_monotonic_time() < end) g_main_context_iteration(nullptr, TRUE);
        g_source_remove(tick);
        return done();
    }
    static void Pump(int ms) {
        PumpUntil([] { return false; }, ms);
    }
    static Rect ScreenRect(GtkWidget* widget) {
        GdkWindow* window = gtk_widget_get_window(widget);
        if (!window || !gdk_window_is_viewable(window)) return {};
        int x = 0, y = 0;
        gdk_window_get_origin(window, &x, &y);
        return {x, y, x + gdk_window_get_width(window), y + gdk_window_get_height(window)};
    }
    GtkWidget* Widget(CSkinFrame& frame) { return skinui::GtkHost::WidgetOf(frame.GetNative()); }
    GtkWidget* ShadowWidget(CSkinFrame& frame) {
        return skinui::GtkHost::WidgetOf(frame.GetShadow().GetPopup());
    }
    void OpenMain() {
        ASSERT_TRUE(main_.Create(host_));
        main_.CenterWindow();
        main_.ShowWindow();
        ASSERT_TRUE(PumpUntil([&] { return ScreenRect(Widget(main_)).Width() == 600; }));
    }

    testsupport::XvfbDisplay display_;
    skinui::GtkHost host_;
    CountingFrame main_;
    bool shadowsReady_ = false;
};

TEST_F(GtkWindowTest, MainWindowOpensCentredAtItsLayoutSize) {
    OpenMain();
    EXPECT_EQ(ScreenRect(Widget(main_)), (Rect{340, 200, 940, 600}));
    EXPECT_FALSE(gtk_window_get_decorated(GTK_WINDOW(Widget(main_))));
    EXPECT_EQ(main_.GetNative()->GetWindowRect(), (Rect{340, 200, 940, 600}));
}

TEST_F(GtkWindowTest, NoShadowWithoutACompositor) {
    // A bare X server composites nothing; the shadow would be a black frame.
    ASSERT_FALSE(gdk_screen_is_composited(gdk_screen_get_default()));
    EXPECT_FALSE(shadowsReady_);
    OpenMain();
    EXPECT_FALSE(main_.HasShadow() && main_.GetShadow().GetPopup());
    EXPECT_TRUE(main_.IsWindow());
}

// Popups forced on the bare server, to watch them follow their parent.
class GtkShadowTest : public GtkWindowTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(display_.Start(1280, 800, error)) << error;
        setenv("GDK_CORE_DEVICE_EVENTS", "1", 1);
        setenv("NO_AT_BRIDGE", "1", 1);
        ASSERT_TRUE(skinui::GtkHost::Open(nullptr, nullptr));
        ASSERT_TRUE(CWindowShadow::Initialize(forced_));
    }
    skinui::GtkHost forced_{skinui::GtkHost::Popups::kAlways};
};

TEST_F(GtkShadowTest, ShadowIsATranslucentPopupThatTakesNoFocusAndFollows) {
    OpenMain();
    GtkWidget* shadow = ShadowWidget(main_);
    ASSERT_NE(shadow, nullptr);
    ASSERT_TRUE(PumpUntil([&] {
        return ScreenRect(shadow) == Rect{335, 195, 947, 607};
    })) << ScreenRect(shadow).left
        << "," << ScreenRect(shadow).top;
    GtkWindowType type;
    g_object_get(shadow, "type", &type, nullptr);
    EXPECT_EQ(type, GTK_WINDOW_POPUP);
    EXPECT_FALSE(gtk_window_get_accept_focus(GTK_WINDOW(shadow)));
    EXPECT_EQ(gdk_visual_get_depth(gtk_widget_get_visual(shadow)), 32);
    EXPECT_FALSE(gtk_window_is_active(GTK_WINDOW(shadow)));

    // Moved by the system (not through the framework), the shadow follows.
    gtk_window_move(GTK_WINDOW(Widget(main_)), 100, 80);
    ASSERT_TRUE(PumpUntil([&] {
        return ScreenRect(shadow) == Rect{95, 75, 707, 487};
    })) << ScreenRect(shadow).left
        << "," << ScreenRect(shadow).top;

    // Hidden with its parent, back with it.
    main_.ShowWindow(false);
    EXPECT_FALSE(gtk_widget_get_visible(shadow));
    main_.ShowWindow(true);
    EXPECT_TRUE(gtk_widget_get_visible(shadow));
}

TEST_F(GtkWindowTest, ScreenShowsWhatTheHeadlessRenderShows) {
    // A light desktop, so that the shadow shows in the picture.
    Display* x = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    XSetWindowBackground(x, DefaultRootWindow(x), 0xD8DCE4);
    XClearWindow(x, DefaultRootWindow(x));
    OpenMain();
    Pump(300);
    GdkWindow* root = gdk_get_default_root_window();
    GdkPixbuf* screen = gdk_pixbuf_get_from_window(root, 0, 0, 1280, 800);
    ASSERT_NE(screen, nullptr);
    const std::filesystem::path out = std::filesystem::path(VANTYX_BINARY_DIR) / "skin-renders";
    std::filesystem::create_directories(out);
    gdk_pixbuf_save(screen, (out / "xvfb-mainWnd.png").c_str(), "png", nullptr, nullptr);

    cairo_surface_t* render = skinui::HeadlessHost::Render(main_);
    const auto* rendered = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(render));
    const int renderStride = cairo_image_surface_get_stride(render) / 4;
    const guchar* shown = gdk_pixbuf_get_pixels(screen);
    const int rowstride = gdk_pixbuf_get_rowstride(screen);
    const int channels = gdk_pixbuf_get_n_channels(screen);
    // Points away from text: background, logo, install button, check box, title glyph.
    const struct {
        int x, y;
    } probes[] = {{300, 5}, {5, 395}, {120, 130}, {210, 202}, {390, 190}, {13, 370}, {588, 22}};
    for (const auto& p : probes) {
        const guchar* pixel = shown + (200 + p.y) * rowstride + (340 + p.x) * channels;
        const uint32_t screenRgb = (pixel[0] << 16) | (pixel[1] << 8) | pixel[2];
        EXPECT_EQ(screenRgb, rendered[p.y * renderStride + p.x] & 0xFFFFFF) << p.x << "," << p.y;
    }
    cairo_surface_destroy(render);
    g_object_unref(screen);
}

TEST_F(GtkWindowTest, RealKeysAndClicks) {
    OpenMain();
    GdkWindow* window = gtk_widget_get_window(Widget(main_));
    gtk_window_present(GTK_WINDOW(Widget(main_)));
    Pump(100);
    gdk_test_simulate_key(window, 300, 200, GDK_KEY_Escape, static_cast<GdkModifierType>(0),
                          GDK_KEY_PRESS);
    gdk_test_simulate_key(window, 300, 200, GDK_KEY_Return, static_cast<GdkModifierType>(0),
                          GDK_KEY_PRESS);
    ASSERT_TRUE(PumpUntil([&] { return main_.keys == 1; }));  // Return arrives, Escape did not
    EXPECT_TRUE(main_.IsWindow());

    // The close button sits at 576..600 x 10..34.
    gdk_test_simulate_button(window, 588, 22, 1, static_cast<GdkModifierType>(0), GDK_BUTTON_PRESS);
    gdk_test_simulate_button(window, 588, 22, 1, static_cast<GdkModifierType>(0),
                             GDK_BUTTON_RELEASE);
    EXPECT_TRUE(PumpUntil([&] { return !main_.IsWindow(); }));
    EXPECT_EQ(main_.GetCloseCode(), 1);
}

TEST_F(GtkWindowTest, CaptionBandDragsTheWindow) {
    OpenMain();
    GdkWindow* window = gtk_widget_get_window(Widget(main_));
    // Press on the band away from any button, move, release.
    gdk_test_simulate_button(window, 300, 20, 1, static_cast<GdkModifierType>(0), GDK_BUTTON_PRESS);
    Pump(50);
    GdkDisplay* display = gdk_display_get_default();
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    gdk_device_warp(pointer, gdk_screen_get_default(), 340 + 300 + 50, 200 + 20 + 30);
    ASSERT_TRUE(PumpUntil([&] { return main_.GetNative()->GetWindowRect().left == 390; }))
        << main_.GetNative()->GetWindowRect().left;
    gdk_test_simulate_button(window, 350, 50, 1, static_cast<GdkModifierType>(0),
                             GDK_BUTTON_RELEASE);
    EXPECT_TRUE(PumpUntil([&] { return ScreenRect(Widget(main_)).left == 390; }));
    EXPECT_EQ(ScreenRect(Widget(main_)).top, 230);
}

TEST_F(GtkWindowTest, ModalDialogDisablesItsOwnerAndReturnsItsCloseCode) {
    OpenMain();
    CSkinFrame dialog(SkinDescriptor::ForSkinFile("ExitTipWnd.xml"));
    ASSERT_TRUE(dialog.Create(host_, &main_));
    dialog.CenterWindow();
    EXPECT_EQ(dialog.GetNative()->GetWindowRect(), (Rect{460, 310, 820, 490}));
    struct State {
        CSkinFrame* dialog;
        GtkWidget* owner;
        bool ownerWasSensitive = true;
    } state{&dialog, Widget(main_)};
    g_timeout_add(
        200,
        +[](gpointer data) -> gboolean {
            auto* s = static_cast<State*>(data);
            s->ownerWasSensitive = gtk_widget_get_sensitive(s->owner);
            s->dialog->Close(6);
            return G_SOURCE_REMOVE;
        },
        &state);
    EXPECT_EQ(dialog.ShowModal(), 6);
    EXPECT_FALSE(state.ownerWasSensitive);
    EXPECT_TRUE(gtk_widget_get_sensitive(Widget(main_)));
    EXPECT_TRUE(main_.IsWindow());
}

// Runs inside a child process on the parent's X server: a window whose layout
// is not in the package. The error box is answered as a user would.
TEST(GtkErrorBoxChild, MissingLayout) {
    ASSERT_TRUE(skinui::GtkHost::Open(nullptr, nullptr));
    g_timeout_add(
        300,
        +[](gpointer) -> gboolean {
            GList* windows = gtk_window_list_toplevels();
            for (GList* item = windows; item; item = item->next) {
                if (!GTK_IS_MESSAGE_DIALOG(item->data)) continue;
                gchar* text = nullptr;
                g_object_get(item->data, "text", &text, nullptr);
                std::printf("box: %s | %s\n", gtk_window_get_title(GTK_WINDOW(item->data)), text);
                std::fflush(stdout);
                g_free(text);
                gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_OK);
            }
            g_list_free(windows);
            return G_SOURCE_CONTINUE;
        },
        nullptr);
    skinui::GtkHost host;
    CSkinFrame frame(SkinDescriptor::ForSkinFile("NoSuchWnd.xml"));
    frame.Create(host);
    std::printf("still running\n");
}

TEST_F(GtkWindowTest, MissingLayoutShowsTheErrorBoxAndEndsWithOne) {
    const auto result =
        testsupport::RunProcess({"/proc/self/exe", "--gtest_filter=GtkErrorBoxChild.MissingLayout"},
                                testsupport::WithEnvironment({{testsupport::kChildMarker, "1"}}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find("box: SkinUI | 加载资源文件失败"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("still running"), std::string::npos);
}

}  // namespace
