// A program without the skin package: windows come up without controls.

#include <gtest/gtest.h>

#include "skinui/headless_host.h"
#include "skinui/skin_archive.h"
#include "test_window.h"

namespace skinui {
namespace {

TEST(WithoutPackageTest, WindowIsCreatedWithoutControls) {
    HeadlessHost host;
    testing::TestWindow window("mainWnd.xml");
    ASSERT_TRUE(window.Create(host));
    EXPECT_TRUE(window.IsWindow());
    EXPECT_EQ(window.GetPaintManager().GetRoot(), nullptr);
    EXPECT_EQ(window.GetPaintManager().FindControl("defaultInstallBtn"), nullptr);
    EXPECT_TRUE(host.ErrorBoxes().empty());
    EXPECT_EQ(SkinArchive::Shared("ZIPRES", 147), nullptr);
}

}  // namespace
}  // namespace skinui
