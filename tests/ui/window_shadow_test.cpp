#include "ui/window_shadow.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "skinui/headless_host.h"
#include "ui/skin_frame.h"

namespace {

using skinui::Rect;

class WindowShadowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(CWindowShadow::Initialize(host_));
        ASSERT_TRUE(main_.Create(host_));
        ASSERT_TRUE(main_.HasShadow());
        main_.CenterWindow();
        main_.ShowWindow();
    }
    CWindowShadow& Shadow() { return main_.GetShadow(); }
    skinui::LayeredPopup& Popup() { return *main_.GetShadow().GetPopup(); }
    Rect Parent() { return main_.GetNative()->GetWindowRect(); }

    skinui::HeadlessHost host_;
    CSkinFrame main_{SkinDescriptor::ForSkinFile("MainWnd.xml")};
};

TEST_F(WindowShadowTest, SurroundsTheMainWindowAndFollowsIt) {
    EXPECT_EQ(Parent(), (Rect{660, 320, 1260, 720}));
    EXPECT_TRUE(Popup().IsVisible());
    // 612 x 412 at the parent's position less 5.
    EXPECT_EQ(Popup().GetRect(), (Rect{655, 315, 1267, 727}));
    cairo_surface_t* pixels = skinui::HeadlessHost::PopupPixels(Popup());
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(cairo_image_surface_get_width(pixels), 612);
    EXPECT_EQ(cairo_image_surface_get_height(pixels), 412);
    EXPECT_EQ(Shadow().GetStatus(), CWindowShadow::SS_ENABLED | CWindowShadow::SS_VISIBLE |
                                        CWindowShadow::SS_PARENTVISIBLE);

    main_.GetNative()->Move({100, 50});
    EXPECT_EQ(Popup().GetRect(), (Rect{95, 45, 707, 457}));
}

TEST_F(WindowShadowTest, HiddenWhileMaximisedMinimisedOrHidden) {
    main_.Maximize();
    EXPECT_FALSE(Popup().IsVisible());
    EXPECT_FALSE(Shadow().GetStatus() & CWindowShadow::SS_VISIBLE);
    main_.Restore();
    EXPECT_TRUE(Popup().IsVisible());
    EXPECT_EQ(Popup().GetRect(), (Rect{655, 315, 1267, 727}));

    main_.Minimize();
    EXPECT_FALSE(Popup().IsVisible());
    main_.Restore();
    EXPECT_TRUE(Popup().IsVisible());

    main_.ShowWindow(false);
    EXPECT_FALSE(Popup().IsVisible());
    EXPECT_EQ(Shadow().GetStatus(), CWindowShadow::SS_ENABLED);
    main_.ShowWindow(true);
    EXPECT_TRUE(Popup().IsVisible());
    EXPECT_EQ(Shadow().GetStatus(), CWindowShadow::SS_ENABLED | CWindowShadow::SS_VISIBLE |
                                        CWindowShadow::SS_PARENTVISIBLE);
}

TEST_F(WindowShadowTest, SettersRefuseValuesOutOfRange) {
    EXPECT_FALSE(Shadow().SetDarkness(300));
    EXPECT_EQ(Shadow().GetSettings().darkness, 20);
    EXPECT_FALSE(Shadow().SetSize(-21));
    EXPECT_FALSE(Shadow().SetSize(21));
    EXPECT_FALSE(Shadow().SetSharpness(21));
    EXPECT_FALSE(Shadow().SetSharpness(-1));
    EXPECT_FALSE(Shadow().SetPosition(0, 21));
    EXPECT_FALSE(Shadow().SetPosition(-21, 0));
    EXPECT_EQ(Shadow().GetSettings().size, 6);
    EXPECT_EQ(Popup().GetRect().Width(), 612);

    // A change to a shown shadow rebuilds it at once.
    EXPECT_TRUE(Shadow().SetSize(-20));
    EXPECT_TRUE(Shadow().SetSize(10));
    EXPECT_EQ(Popup().GetRect(), (Rect{651, 311, 1271, 731}));
    EXPECT_TRUE(Shadow().SetDarkness(255));
    EXPECT_TRUE(Shadow().SetPosition(-20, 20));
    EXPECT_EQ(Popup().GetRect().left, 660 - 20 - 10);
}

TEST_F(WindowShadowTest, ImageModeStretchesAnImageAroundTheWindow) {
    EXPECT_FALSE(Shadow().SetImage("res\\common\\absent.png", {4, 4, 4, 4}, {}));
    EXPECT_EQ(Popup().GetRect().Width(), 612);
    ASSERT_TRUE(Shadow().SetImage("res\\mainWnd\\installDirEdit.png", {4, 4, 4, 4}, {1, 1, 1, 1}));
    EXPECT_EQ(Popup().GetRect(), (Rect{656, 316, 1264, 724}));
    cairo_surface_t* pixels = skinui::HeadlessHost::PopupPixels(Popup());
    ASSERT_NE(pixels, nullptr);
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(pixels));
    const int stride = cairo_image_surface_get_stride(pixels) / 4;
    EXPECT_NE(data[0 * stride + 300] >> 24, 0u);    // the frame's top edge
    EXPECT_EQ(data[200 * stride + 300] >> 24, 0u);  // the middle is left out
}

TEST_F(WindowShadowTest, DestroyingTheParentDestroysTheShadow) {
    EXPECT_EQ(CWindowShadow::ParentCount(), 1u);
    main_.Close(0);
    EXPECT_FALSE(Popup().Exists());
    EXPECT_EQ(CWindowShadow::ParentCount(), 0u);
}

TEST_F(WindowShadowTest, ShadowAndWindowTogetherOnADesktop) {
    // The picture a compositor would show: desktop, shadow, then the window.
    const Rect window = Parent();
    const Rect shadow = Popup().GetRect();
    const int margin = 20;
    cairo_surface_t* desktop = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, shadow.Width() + 2 * margin, shadow.Height() + 2 * margin);
    cairo_t* cr = cairo_create(desktop);
    cairo_set_source_rgb(cr, 0xD8 / 255.0, 0xDC / 255.0, 0xE4 / 255.0);
    cairo_paint(cr);
    cairo_set_source_surface(cr, skinui::HeadlessHost::PopupPixels(Popup()), margin, margin);
    cairo_paint(cr);
    cairo_surface_t* content = skinui::HeadlessHost::Render(main_);
    cairo_set_source_surface(cr, content, margin + window.left - shadow.left,
                             margin + window.top - shadow.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(desktop);
    const auto out = std::filesystem::path(VANTYX_BINARY_DIR) / "skin-renders";
    std::filesystem::create_directories(out);
    EXPECT_EQ(cairo_surface_write_to_png(desktop, (out / "mainWnd-with-shadow.png").c_str()),
              CAIRO_STATUS_SUCCESS);

    // Just right of the window the desktop is darker than far away from it.
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(desktop));
    const int stride = cairo_image_surface_get_stride(desktop) / 4;
    const int y = margin + 200;
    const uint32_t near = data[y * stride + margin + 606] & 0xFF;
    const uint32_t far = data[y * stride + 5] & 0xFF;
    EXPECT_LT(near, far);
    cairo_surface_destroy(content);
    cairo_surface_destroy(desktop);
}

TEST(WindowShadowSetupTest, InitializeOnlyOnce) {
    skinui::HeadlessHost host;
    EXPECT_TRUE(CWindowShadow::Initialize(host));
    EXPECT_FALSE(CWindowShadow::Initialize(host));
}

TEST(WindowShadowSetupTest, WithoutInitializeWindowsHaveNoShadow) {
    skinui::HeadlessHost host;
    CSkinFrame frame(SkinDescriptor::ForSkinFile("MainWnd.xml"));
    ASSERT_TRUE(frame.Create(host));
    frame.ShowWindow();
    EXPECT_EQ(frame.GetShadow().GetPopup(), nullptr);
    EXPECT_EQ(frame.GetShadow().GetStatus(), 0);
    EXPECT_TRUE(frame.GetShadow().SetSize(3));  // setters still store
}

}  // namespace
