#include "skinui/skin_archive.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/embedded_resources.h"

namespace skinui {
namespace {

const SkinArchive& Shipped() {
    const SkinArchive* archive = SkinArchive::Shared("ZIPRES", 147);
    EXPECT_NE(archive, nullptr);
    return *archive;
}

TEST(SkinArchiveTest, ShippedPackageHoldsTheSixLayoutsAndTheirImages) {
    EXPECT_EQ(Shipped().EntryCount(), 124u);
    for (const char* layout : {"mainWnd.xml", "MessageBox1Wnd.xml", "MessageBox2Wnd.xml",
                               "exitTipWnd.xml", "NetworkTipWnd.xml", "InstalledPathTipWnd.xml"}) {
        EXPECT_NE(Shipped().Find(layout), nullptr) << layout;
    }
    EXPECT_NE(Shipped().Find("res/mainWnd/installBtnAnimate/62.png"), nullptr);
    EXPECT_EQ(Shipped().Find("res/mainWnd/installBtnAnimate/63.png"), nullptr);
    EXPECT_EQ(Shipped().Find("language.json"), nullptr);
}

TEST(SkinArchiveTest, NamesIgnoreLetterCaseAndSeparatorDirection) {
    const struct {
        const char* asked;
        const char* stored;
    } cases[] = {
        {"MainWnd.xml", "mainWnd.xml"},
        {"ExitTipWnd.xml", "exitTipWnd.xml"},
        {"res\\mainWnd\\bg1.png", "res/mainWnd/bg1.png"},
        {"RES\\MAINWND/BG1.PNG", "res/mainWnd/bg1.png"},
        {"res\\messageboxwnd\\ICOWARN.png", "res/MessageBoxWnd/icoWarn.png"},
    };
    for (const auto& c : cases) {
        const auto* asked = Shipped().Find(c.asked);
        ASSERT_NE(asked, nullptr) << c.asked;
        EXPECT_EQ(asked, Shipped().Find(c.stored)) << c.asked;
    }
    EXPECT_EQ(Shipped().Find("res/mainWnd/bg5.png"), nullptr);
    EXPECT_EQ(Shipped().Find("mainWnd.xm"), nullptr);
}

TEST(SkinArchiveTest, OpenedOncePerProcess) {
    const SkinArchive* first = SkinArchive::Shared("ZIPRES", 147);
    const SkinArchive* second = SkinArchive::Shared("zipres", 147);
    EXPECT_EQ(first, second);
    EXPECT_EQ(SkinArchive::SharedOpenCount(), 1);
}

TEST(SkinArchiveTest, BytesThatAreNotAnArchiveAreRefused) {
    const std::string junk = "not a 7z archive at all";
    EXPECT_EQ(SkinArchive::Open({reinterpret_cast<const unsigned char*>(junk.data()), junk.size()}),
              nullptr);
    EXPECT_EQ(SkinArchive::Open({}), nullptr);
    // A cut archive is damaged, not half-read.
    const auto whole = platform::FindResource("ZIPRES", 147);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(SkinArchive::Open(whole.first(whole.size() / 2)), nullptr);
}

}  // namespace
}  // namespace skinui
