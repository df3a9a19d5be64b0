#include "ui/make_shadow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using skinui::Size;
using skinui::WindowShape;

struct Picture {
    int width, height;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
};

Picture Shadow(const ShadowSettings& settings, Size parent, Size corner = {1, 0}) {
    Picture picture{parent.cx + 2 * settings.size, parent.cy + 2 * settings.size, {}};
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0);
    MakeShadow(picture.pixels, settings, parent.cx, parent.cy,
               WindowShape{parent, corner}.RowSpans());
    return picture;
}

// The main window's shadow: size 6, sharpness 10, darkness 20, offset 1,1.
const ShadowSettings kMain{6, 10, 20, 1, 1, 0x26003B76};

TEST(MakeShadowTest, KernelOfTheMainWindow) {
    const ShadowKernel kernel = DescribeShadowKernel(kMain);
    EXPECT_EQ(kernel.radius, 10);
    EXPECT_EQ(kernel.centreRadius, 0);
    EXPECT_EQ(kernel.erosions, 4);
    const ShadowKernel wide = DescribeShadowKernel({15, 5, 100, 0, 0, 0});
    EXPECT_EQ(wide.radius, 15);
    EXPECT_EQ(wide.centreRadius, 10);
    EXPECT_EQ(wide.erosions, 0);
}

TEST(MakeShadowTest, TintIsPremultipliedFromTheColourBytes) {
    // Colour bytes from the low end: red, green, blue.
    EXPECT_EQ(ShadowTint(0xFFEDF0F4, 255), 0xFFF4F0EDu);
    EXPECT_EQ(ShadowTint(0x26003B76, 12), 0x0C050200u);
    EXPECT_EQ(ShadowTint(0x26003B76, 0), 0u);
}

TEST(MakeShadowTest, MainWindowShadowFadesOutsideAndLeavesTheWindowClear) {
    const Picture p = Shadow(kMain, {600, 400});
    ASSERT_EQ(p.width, 612);
    ASSERT_EQ(p.height, 412);
    // Alpha = (1 - L / 11) * 20 at distance L from the eroded outline, which
    // runs 10 pixels inside the shadow's edge; the window, shifted by 5, is cut out.
    const struct {
        int x, y, alpha;
    } probes[] = {
        {605, 200, 12},                                 // right: 4 from the outline
        {611, 200, 1},                                  // right edge: 10 away
        {604, 200, 0},                                  // behind the window
        {4, 200, 9},                                    // left: 6 from the outline
        {0, 200, 1},    {5, 200, 0},   {300, 4, 9},     // top
        {300, 0, 1},    {300, 5, 0},   {300, 405, 12},  // bottom
        {300, 411, 1},  {300, 404, 0}, {306, 206, 0},   // the middle
    };
    for (const auto& probe : probes) {
        EXPECT_EQ(p.Alpha(probe.x, probe.y), probe.alpha) << probe.x << "," << probe.y;
    }
    EXPECT_EQ(p.At(605, 200), ShadowTint(kMain.color, 12));
    int darkest = 0;
    for (uint32_t pixel : p.pixels) darkest = std::max(darkest, static_cast<int>(pixel >> 24));
    EXPECT_LE(darkest, 20);
    // The offset makes the lower right darker than the upper left.
    EXPECT_GT(p.Alpha(611 - 6, 411 - 6), p.Alpha(6, 6));
}

TEST(MakeShadowTest, SizeLargerThanSharpnessKeepsAFullDarkBand) {
    const ShadowSettings settings{8, 2, 200, 0, 0, 0x000000};
    const Picture p = Shadow(settings, {40, 30});
    // Centre radius 6: within 6 of the outline the shadow is at full darkness.
    EXPECT_EQ(p.Alpha(3, 20), 200);
    EXPECT_EQ(p.Alpha(25, 3), 200);
    EXPECT_EQ(p.Alpha(28, 23), 0);  // behind the window
    EXPECT_LT(p.Alpha(0, 0), 200);
}

TEST(MakeShadowTest, RoundCornersGiveRoundShadowCorners) {
    const ShadowSettings settings{6, 6, 100, 0, 0, 0};
    const Picture square = Shadow(settings, {60, 40}, {0, 0});
    const Picture round = Shadow(settings, {60, 40}, {30, 30});
    EXPECT_LT(round.Alpha(3, 3), square.Alpha(3, 3));
    EXPECT_EQ(round.Alpha(30, 3), square.Alpha(30, 3));
}

TEST(MakeShadowTest, NegativeSizeStaysInsideThePicture) {
    const ShadowSettings settings{-5, 3, 100, 4, 4, 0};
    const Picture p = Shadow(settings, {50, 40});
    EXPECT_EQ(p.width, 40);
    EXPECT_EQ(p.height, 30);
}

}  // namespace
