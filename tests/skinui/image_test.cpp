#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>

#include "skinui/image_cache.h"
#include "skinui/image_painter.h"
#include "skinui/image_attributes.h"

namespace skinui {
namespace {

TEST(ImageAttributesTest, PlainNamesAndKeyValueLists) {
    const ImageAttributes plain = ImageAttributes::Parse("res\\mainWnd\\bg1.png");
    EXPECT_EQ(plain.file, "res\\mainWnd\\bg1.png");
    EXPECT_FALSE(plain.dest.has_value());
    EXPECT_EQ(plain.fade, 255);

    const ImageAttributes full = ImageAttributes::Parse(
        "file='res\\mainWnd\\Cb1.png' dest='6,3,20,17' corner='2,2,2,2' mask='#FFFF00FF' "
        "fade='128' hole='true' xtiled='true' ytiled='false' unknown='x'");
    EXPECT_EQ(full.file, "res\\mainWnd\\Cb1.png");
    ASSERT_TRUE(full.dest.has_value());
    EXPECT_EQ(*full.dest, (Rect{6, 3, 20, 17}));
    EXPECT_EQ(full.corner, (Rect{2, 2, 2, 2}));
    EXPECT_EQ(full.mask, 0xFFFF00FFu);
    EXPECT_EQ(full.fade, 128);
    EXPECT_TRUE(full.hole);
    EXPECT_TRUE(full.xtiled);
    EXPECT_FALSE(full.ytiled);

    EXPECT_EQ(ImageAttributes::Parse("file='a.png' fade='999'").fade, 255);
}

// An image whose nine parts each have their own colour: columns and rows
// 0-1, 2-3 and 4-5.
class NinePatchTest : public ::testing::Test {
  protected:
    static uint32_t PartColour(int col, int row) {
        return 0xFF000000u | static_cast<uint32_t>((col * 100) << 16 | (row * 100) << 8 | 50);
    }
    void SetUp() override {
        image_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 6, 6);
        auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image_));
        const int stride = cairo_image_surface_get_stride(image_) / 4;
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) data[y * stride + x] = PartColour(x / 2, y / 2);
        }
        cairo_surface_mark_dirty(image_);
        target_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 40, 30);
    }
    void TearDown() override {
        cairo_surface_destroy(image_);
        cairo_surface_destroy(target_);
    }
    void Paint(const Rect& control, const std::string& attributes) {
        cairo_t* cr = cairo_create(target_);
        PaintImage(cr, image_, control, ImageAttributes::Parse(attributes));
        cairo_destroy(cr);
        cairo_surface_flush(target_);
    }
    uint32_t At(int x, int y) {
        const auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(target_));
        return data[y * (cairo_image_surface_get_stride(target_) / 4) + x];
    }

    cairo_surface_t* image_ = nullptr;
    cairo_surface_t* target_ = nullptr;
};

TEST_F(NinePatchTest, CornersKeepTheirSizeEdgesAndMiddleStretch) {
    Paint({0, 0, 30, 20}, "file='x' corner='2,2,2,2'");
    const struct {
        int x, y, col, row;
    } probes[] = {
        {0, 0, 0, 0},   {1, 1, 0, 0},  {29, 0, 2, 0},  {28, 1, 2, 0}, {0, 19, 0, 2},
        {29, 19, 2, 2}, {15, 0, 1, 0}, {15, 19, 1, 2}, {0, 10, 0, 1}, {29, 10, 2, 1},
        {15, 10, 1, 1}, {3, 3, 1, 1},  {26, 16, 1, 1},
    };
    for (const auto& p : probes) {
        EXPECT_EQ(At(p.x, p.y), PartColour(p.col, p.row)) << p.x << "," << p.y;
    }
    EXPECT_EQ(At(30, 10), 0u);  // nothing outside the control
}

TEST_F(NinePatchTest, HoleLeavesTheMiddleOut) {
    Paint({0, 0, 30, 20}, "file='x' corner='2,2,2,2' hole='true'");
    EXPECT_EQ(At(15, 10), 0u);
    EXPECT_EQ(At(15, 0), PartColour(1, 0));
    EXPECT_EQ(At(0, 0), PartColour(0, 0));
}

TEST_F(NinePatchTest, DestPlacesTheImageInsideTheControl) {
    Paint({10, 10, 40, 30}, "file='x' dest='6,3,12,9'");
    EXPECT_EQ(At(16, 13), PartColour(0, 0));
    EXPECT_EQ(At(21, 18), PartColour(2, 2));
    EXPECT_EQ(At(15, 13), 0u);
    EXPECT_EQ(At(22, 13), 0u);
    EXPECT_EQ(At(16, 19), 0u);
}

TEST_F(NinePatchTest, FadeScalesTheAlpha) {
    Paint({0, 0, 6, 6}, "file='x' fade='128'");
    const uint32_t alpha = At(0, 0) >> 24;
    EXPECT_NEAR(alpha, 128u, 1u);
}

TEST_F(NinePatchTest, TiledMiddleRepeatsInsteadOfStretching) {
    // Without corners the whole image is the middle: 6 wide tiled over 12.
    Paint({0, 0, 12, 6}, "file='x' xtiled='true'");
    EXPECT_EQ(At(6, 0), PartColour(0, 0));
    EXPECT_EQ(At(10, 0), PartColour(2, 0));
    Paint({0, 10, 12, 16}, "file='x'");
    EXPECT_EQ(At(6, 10), PartColour(1, 0));  // stretched: the middle column lands there
}

TEST(ImageCacheTest, MaskColourBecomesTransparentAndMissingNamesAreRemembered) {
    cairo_surface_t* source = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(source));
    data[0] = 0xFFFF00FF;
    data[1] = 0xFF123456;
    cairo_surface_mark_dirty(source);
    const std::string folder = ::testing::TempDir() + "images/";
    std::filesystem::create_directories(folder);
    ASSERT_EQ(cairo_surface_write_to_png(source, (folder + "m.png").c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(source);

    ImageCache cache;
    cache.SetResourceFolder(folder);
    cairo_surface_t* masked = cache.Get("m.png", 0xFFFF00FF);
    ASSERT_NE(masked, nullptr);
    const auto* pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(masked));
    EXPECT_EQ(pixels[0], 0u);
    EXPECT_EQ(pixels[1], 0xFF123456u);
    cairo_surface_t* plain = cache.Get("m.png");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(plain))[0], 0xFFFF00FFu);

    EXPECT_EQ(cache.Get("absent.png"), nullptr);
    EXPECT_EQ(cache.Get("absent.png"), nullptr);
    EXPECT_EQ(cache.Missing().size(), 1u);
}

}  // namespace
}  // namespace skinui
