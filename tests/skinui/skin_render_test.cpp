#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <set>
#include <string>

#include "skinui/headless_host.h"
#include "skinui/image_attributes.h"
#include "skinui/progress.h"
#include "skinui/skin_archive.h"
#include "skinui/tab_layout.h"
#include "skinui/window_message.h"
#include "test_window.h"

namespace skinui {
namespace {

using testing::TestWindow;

const char* const kLayouts[] = {"mainWnd.xml",    "MessageBox1Wnd.xml", "MessageBox2Wnd.xml",
                                "exitTipWnd.xml", "NetworkTipWnd.xml",  "InstalledPathTipWnd.xml"};

uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
    return data[y * (cairo_image_surface_get_stride(surface) / 4) + x];
}

// Every image name a layout mentions, frame patterns expanded.
std::set<std::string> ImageNames(const std::string& xml) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(xml.data(), xml.size()));
    std::set<std::string> names;
    for (const pugi::xpath_node& node : document.select_nodes("//*")) {
        const pugi::xml_node element = node.node();
        const int frames = element.attribute("sequencecount").as_int();
        for (const pugi::xml_attribute& attribute : element.attributes()) {
            const std::string key = attribute.name();
            if (key.size() < 5 || key.substr(key.size() - 5) != "image") continue;
            const std::string file = ImageAttributes::Parse(attribute.value()).file;
            const size_t pattern = file.find("%d");
            if (pattern == std::string::npos) {
                names.insert(file);
                continue;
            }
            for (int i = 0; i < frames; ++i) {
                names.insert(file.substr(0, pattern) + std::to_string(i) +
                             file.substr(pattern + 2));
            }
        }
    }
    return names;
}

TEST(SkinRenderTest, EveryNamedImageIsPackedExceptTheThreeAbsentStates) {
    const SkinArchive* archive = SkinArchive::Shared("ZIPRES", 147);
    ASSERT_NE(archive, nullptr);
    std::set<std::string> missing;
    size_t named = 0;
    for (const char* layout : kLayouts) {
        const auto* bytes = archive->Find(layout);
        ASSERT_NE(bytes, nullptr) << layout;
        for (const std::string& name : ImageNames(std::string(bytes->begin(), bytes->end()))) {
            ++named;
            if (!archive->Find(name)) missing.insert(name);
        }
    }
    EXPECT_GT(named, 100u);
    EXPECT_EQ(missing,
              (std::set<std::string>{"res\\common\\closebtn4.png", "res\\common\\minbtn3.png",
                                     "res\\common\\minbtn4.png"}));
}

TEST(SkinRenderTest, EveryLayoutRendersWithoutMissingImages) {
    const std::filesystem::path out = std::filesystem::path(VANTYX_BINARY_DIR) / "skin-renders";
    std::filesystem::create_directories(out);
    HeadlessHost host;
    for (const char* layout : kLayouts) {
        TestWindow window(layout);
        ASSERT_TRUE(window.Create(host)) << layout;
        const std::string png = (out / (std::string(layout) + ".png")).string();
        ASSERT_TRUE(HeadlessHost::RenderToPng(window, png)) << layout;
        EXPECT_TRUE(window.GetPaintManager().GetMissingImages().empty()) << layout;
        EXPECT_TRUE(host.ErrorBoxes().empty());
    }
}

TEST(SkinRenderTest, MainWindowPaintsItsBackgroundButtonAndPages) {
    HeadlessHost host;
    TestWindow window("mainWnd.xml");
    ASSERT_TRUE(window.Create(host));
    cairo_surface_t* page0 = HeadlessHost::Render(window);
    ASSERT_EQ(cairo_image_surface_get_width(page0), 600);
    ASSERT_EQ(cairo_image_surface_get_height(page0), 400);
    // The background is opaque everywhere; the install button is blue at its left end.
    EXPECT_EQ(PixelAt(page0, 0, 0) >> 24, 0xFFu);
    EXPECT_EQ(PixelAt(page0, 599, 399) >> 24, 0xFFu);
    EXPECT_EQ(PixelAt(page0, 210, 202) & 0xFFFFFF, 0x1E90FFu);

    // The installing page shows the empty bar; a value fills it from the left.
    auto* pages = dynamic_cast<TabLayout*>(window.GetPaintManager().FindControl("mainTabLt"));
    ASSERT_NE(pages, nullptr);
    pages->SelectItem(2, false);
    auto* bar = dynamic_cast<Progress*>(window.GetPaintManager().FindControl("installPrg"));
    ASSERT_NE(bar, nullptr);
    bar->SetValue(50);
    cairo_surface_t* page2 = HeadlessHost::Render(window);
    const uint32_t filled = PixelAt(page2, 150, 325) & 0xFFFFFF;
    const uint32_t empty = PixelAt(page2, 450, 325) & 0xFFFFFF;
    EXPECT_NE(filled, empty);
    EXPECT_EQ(empty, 0xDDE3EEu);
    EXPECT_NE(PixelAt(page2, 210, 202), PixelAt(page0, 210, 202));  // the button is gone
    cairo_surface_destroy(page0);
    cairo_surface_destroy(page2);
}

TEST(SkinRenderTest, AStateWithoutItsImageDrawsNothingOfItsOwn) {
    HeadlessHost host;
    TestWindow window("mainWnd.xml");
    ASSERT_TRUE(window.Create(host));
    Control* minimise = window.GetPaintManager().FindControl("minbtn");
    ASSERT_NE(minimise, nullptr);
    cairo_surface_t* normal = HeadlessHost::Render(window);
    const Rect pos = minimise->GetPos();
    const Point centre{(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
    window.DispatchMessage({Message::kButtonDown, 0, PackPoint(centre)});
    cairo_surface_t* pushed = HeadlessHost::Render(window);
    // The minimise glyph is a line through the middle; the pushed state has no image.
    EXPECT_NE(PixelAt(normal, centre.x, pos.top + 12), PixelAt(pushed, centre.x, pos.top + 12));
    EXPECT_EQ(window.GetPaintManager().GetMissingImages(),
              std::vector<std::string>{"res\\common\\minbtn3.png"});
    window.DispatchMessage({Message::kButtonUp, 0, PackPoint({0, 399})});
    cairo_surface_destroy(normal);
    cairo_surface_destroy(pushed);
}

}  // namespace
}  // namespace skinui
