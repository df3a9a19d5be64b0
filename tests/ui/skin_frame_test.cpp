#include "ui/skin_frame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "skinui/headless_host.h"
#include "skinui/key_codes.h"
#include "skinui/skin_archive.h"
#include "support/run_process.h"
#include "support/test_folder.h"

namespace {

using skinui::Message;
using skinui::WindowMessage;

// A frame as the installer's windows use it, recording what reaches its handler.
class Frame : public CSkinFrame {
  public:
    explicit Frame(SkinDescriptor descriptor) : CSkinFrame(std::move(descriptor)) {}
    bool HandleMessage(const WindowMessage& message) override {
        if (message.type == Message::kKeyDown) ++keysSeen;
        return CSkinFrame::HandleMessage(message);
    }
    int keysSeen = 0;
};

// A frame reading its layout from a folder instead of the package.
SkinDescriptor FileLayout(const std::filesystem::path& folder, const std::string& file) {
    SkinDescriptor descriptor = SkinDescriptor::ForSkinFile(file);
    descriptor.resourceKind = static_cast<int>(skinui::ResourceKind::kFile);
    descriptor.skinFolder = folder.string() + "/";
    return descriptor;
}

std::string Layout(const std::string& windowAttributes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Window size=\"200,100\" " +
           windowAttributes + "><VerticalLayout bkcolor=\"#FFFFFFFF\"/></Window>";
}

class SkinFrameTest : public ::testing::Test {
  protected:
    void SetUp() override { CWindowShadow::Initialize(host_); }
    skinui::HeadlessHost host_;
};

TEST_F(SkinFrameTest, DescriptorNamesTheClassAfterTheSkinFile) {
    const struct {
        const char* file;
        const char* className;
    } cases[] = {{"MainWnd.xml", "MainWnd"},
                 {"MessageBox1Wnd.xml", "MessageBox1Wnd"},
                 {"ExitTipWnd.xml", "ExitTipWnd"},
                 {"a.b.xml", "a.b"},
                 {"plain", "plain"}};
    for (const auto& c : cases) {
        const SkinDescriptor descriptor = SkinDescriptor::ForSkinFile(c.file);
        EXPECT_EQ(descriptor.resourceKind, 4);
        EXPECT_EQ(descriptor.resourceId, 147);
        EXPECT_TRUE(descriptor.skinFolder.empty());
        EXPECT_EQ(descriptor.windowClassName, c.className) << c.file;
    }
}

TEST_F(SkinFrameTest, DialogsOpenTheirLayoutsWithoutReopeningThePackage) {
    Frame main(SkinDescriptor::ForSkinFile("MainWnd.xml"));
    ASSERT_TRUE(main.Create(host_));
    Frame exitTip(SkinDescriptor::ForSkinFile("ExitTipWnd.xml"));
    ASSERT_TRUE(exitTip.Create(host_, &main));
    Frame network(SkinDescriptor::ForSkinFile("networktipwnd.XML"));
    ASSERT_TRUE(network.Create(host_, &main));
    EXPECT_NE(main.GetPaintManager().FindControl("defaultInstallBtn"), nullptr);
    EXPECT_NE(exitTip.GetPaintManager().FindControl("okBtn"), nullptr);
    EXPECT_NE(network.GetPaintManager().FindControl("cancelBtn"), nullptr);
    EXPECT_EQ(skinui::SkinArchive::SharedOpenCount(), 1);
    EXPECT_EQ(main.GetWindowClassName(), "MainWnd");
}

TEST_F(SkinFrameTest, EscapeGoesNowhere) {
    Frame dialog(SkinDescriptor::ForSkinFile("exitTipWnd.xml"));
    ASSERT_TRUE(dialog.Create(host_));
    dialog.ShowWindow();
    dialog.DispatchMessage({Message::kKeyDown, skinui::kKeyEscape, 0});
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_EQ(dialog.keysSeen, 0);
    dialog.DispatchMessage({Message::kKeyDown, skinui::kKeyReturn, 0});
    EXPECT_EQ(dialog.keysSeen, 1);
}

TEST_F(SkinFrameTest, ShadowOnlyWhenTheLayoutAsksForIt) {
    const auto folder = testsupport::NewFolder("layouts");
    const struct {
        const char* attributes;
        bool shadow;
    } cases[] = {
        {"showshadow=\"true\"", true},
        {"showshadow=\"TRUE\"", true},
        {"showshadow=\"false\"", false},
        {"showshadow=\"1\"", false},
        {"", false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string file = "w" + std::to_string(n++) + ".xml";
        testsupport::WriteFile(folder / file, Layout(c.attributes));
        Frame frame(FileLayout(folder, file));
        ASSERT_TRUE(frame.Create(host_)) << c.attributes;
        ASSERT_NE(frame.GetPaintManager().GetRoot(), nullptr);
        EXPECT_EQ(frame.HasShadow(), c.shadow) << c.attributes;
        EXPECT_EQ(frame.GetShadow().GetPopup() != nullptr, c.shadow) << c.attributes;
    }
}

TEST_F(SkinFrameTest, SquareWindowsGetAShadowToo) {
    // Without "roundcorner" the outline is the window's rectangle.
    const auto folder = testsupport::NewFolder("layouts");
    testsupport::WriteFile(folder / "square.xml",
                           Layout("showshadow=\"true\" shadowsize=\"4\" shadowsharpness=\"4\" "
                                  "shadowdarkness=\"100\" shadowposition=\"0,0\""));
    Frame frame(FileLayout(folder, "square.xml"));
    ASSERT_TRUE(frame.Create(host_));
    frame.ShowWindow();
    skinui::LayeredPopup* popup = frame.GetShadow().GetPopup();
    ASSERT_NE(popup, nullptr);
    cairo_surface_t* pixels = skinui::HeadlessHost::PopupPixels(*popup);
    ASSERT_NE(pixels, nullptr);
    ASSERT_EQ(cairo_image_surface_get_width(pixels), 208);
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(pixels));
    const int stride = cairo_image_surface_get_stride(pixels) / 4;
    EXPECT_GT(data[50 * stride + 2] >> 24, 0u);    // left of the window
    EXPECT_EQ(data[50 * stride + 100] >> 24, 0u);  // behind it
}

TEST_F(SkinFrameTest, ShadowConfiguredFromTheWindowAttributes) {
    Frame frame(SkinDescriptor::ForSkinFile("InstalledPathTipWnd.xml"));
    ASSERT_TRUE(frame.Create(host_));
    ASSERT_TRUE(frame.HasShadow());
    const ShadowSettings& settings = frame.GetShadow().GetSettings();
    EXPECT_EQ(settings.size, 6);
    EXPECT_EQ(settings.sharpness, 10);
    EXPECT_EQ(settings.darkness, 10);
    EXPECT_EQ(settings.xOffset, 1);
    EXPECT_EQ(settings.yOffset, 1);
    // "#FFEDF0F4": red 0xF4, green 0xF0, blue 0xED.
    EXPECT_EQ(settings.color & 0xFF, 0xF4u);
    EXPECT_EQ((settings.color >> 8) & 0xFF, 0xF0u);
    EXPECT_EQ((settings.color >> 16) & 0xFF, 0xEDu);
}

TEST_F(SkinFrameTest, OutOfRangeShadowAttributesHaveNoEffect) {
    const auto folder = testsupport::NewFolder("layouts");
    testsupport::WriteFile(folder / "w.xml",
                           Layout("showshadow=\"true\" shadowsize=\"21\" shadowsharpness=\"-1\" "
                                  "shadowdarkness=\"300\" shadowposition=\"3,-25\" "
                                  "shadowimage=\"absent.png\" shadowcolor=\"zz\""));
    Frame frame(FileLayout(folder, "w.xml"));
    ASSERT_TRUE(frame.Create(host_));
    const ShadowSettings& settings = frame.GetShadow().GetSettings();
    EXPECT_EQ(settings.size, 0);
    EXPECT_EQ(settings.sharpness, 5);
    EXPECT_EQ(settings.darkness, 150);
    EXPECT_EQ(settings.xOffset, 5);
    EXPECT_EQ(settings.yOffset, 5);
    EXPECT_EQ(settings.color, 0u);
}

// Runs inside a child process: a window whose layout is missing or broken.
TEST(SkinFrameChild, UnreadableLayout) {
    skinui::HeadlessHost host;
    const char* file = std::getenv("VANTYX_TEST_LAYOUT");
    SkinDescriptor descriptor = SkinDescriptor::ForSkinFile(file ? file : "");
    if (const char* folder = std::getenv("VANTYX_TEST_LAYOUT_FOLDER")) {
        descriptor = FileLayout(folder, file);
    }
    Frame frame(descriptor);
    frame.Create(host);
    std::printf("still running\n");
}

TEST(SkinFrameExitTest, UnreadableLayoutEndsTheProcessWithOne) {
    const auto folder = testsupport::NewFolder("broken");
    testsupport::WriteFile(folder / "broken.xml", "<Window size=\"10,10\"><VerticalLayout>");
    testsupport::WriteFile(folder / "empty.xml", "<Window size=\"10,10\"></Window>");
    const struct {
        std::map<std::string, std::string> environment;
    } cases[] = {
        {{{"VANTYX_TEST_LAYOUT", "Absent.xml"}}},
        {{{"VANTYX_TEST_LAYOUT", "broken.xml"}, {"VANTYX_TEST_LAYOUT_FOLDER", folder.string()}}},
        {{{"VANTYX_TEST_LAYOUT", "empty.xml"}, {"VANTYX_TEST_LAYOUT_FOLDER", folder.string()}}},
        {{{"VANTYX_TEST_LAYOUT", "nothing.xml"}, {"VANTYX_TEST_LAYOUT_FOLDER", folder.string()}}},
    };
    for (const auto& c : cases) {
        auto environment = c.environment;
        environment[testsupport::kChildMarker] = "1";
        const auto result = testsupport::RunProcess(
            {"/proc/self/exe", "--gtest_filter=SkinFrameChild.UnreadableLayout"},
            testsupport::WithEnvironment(environment));
        EXPECT_EQ(result.exitCode, 1) << c.environment.begin()->second;
        EXPECT_NE(result.err.find("[SkinUI] 加载资源文件失败"), std::string::npos) << result.err;
        EXPECT_EQ(result.out.find("still running"), std::string::npos);
    }
}

}  // namespace
