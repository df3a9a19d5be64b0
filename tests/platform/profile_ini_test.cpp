#include "platform/profile_ini.h"

#include <gtest/gtest.h>

#include "platform/utf8.h"
#include "support/test_folder.h"

using platform::GetProfileInt;
using platform::GetProfileString;
using platform::WriteProfileString;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

class ProfileIniTest : public testing::Test {
protected:
    std::string Ini(const std::string& contents) {
        WriteFile(path_, contents);
        return path_;
    }
    std::string path_ = (testsupport::NewFolder("ini") / "settings.ini").string();
};

TEST_F(ProfileIniTest, ReadsWithWindowsProfileRules) {
    const std::string file = Ini(
        "; distributor settings\r\n"
        "[other]\r\n"
        "Url=wrong\r\n"
        "  [ INSTALL ]  \r\n"
        "  downloadurl =  http://example.test/a=b  \r\n"
        "Quoted=\"  spaced  \"\r\n"
        "Single='x'\r\n"
        "Half=\"open\r\n"
        "Empty=\r\n"
        "DownloadUrl=second occurrence\r\n"
        "[Next]\r\n"
        "Key=next\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Install", "DownloadUrl", "http://example.test/a=b"},  // case-insensitive, trimmed, first wins
        {"install", "QUOTED", "  spaced  "},                    // one pair of quotes removed
        {"Install", "Single", "x"},
        {"Install", "Half", "\"open"},
        {"Install", "Empty", ""},
        {"Install", "Key", "default"},                          // belongs to the next section
        {"Missing", "Url", "default"},
        {"Next", "key", "next"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetProfileString(file, c.section, c.key, "default"), c.expected)
            << c.section << "/" << c.key;
    }
}

TEST_F(ProfileIniTest, MissingFileGivesTheDefault) {
    EXPECT_EQ(GetProfileString(path_, "Install", "Key", "fallback"), "fallback");
    EXPECT_EQ(GetProfileInt(path_, "Install", "Key", 7), 7);
}

TEST_F(ProfileIniTest, CutsTextsTo259Characters) {
    const std::string longAscii(300, 'a');
    std::string longChinese;
    for (int i = 0; i < 300; ++i) longChinese += "音";
    const std::string file = Ini("[s]\nascii=" + longAscii + "\nchinese=" + longChinese + "\n");
    EXPECT_EQ(GetProfileString(file, "s", "ascii", ""), std::string(259, 'a'));
    const std::string chinese = GetProfileString(file, "s", "chinese", "");
    EXPECT_EQ(platform::Utf8Length(chinese), 259u);
    EXPECT_EQ(chinese.size(), 259u * 3);
    EXPECT_EQ(GetProfileString(file, "s", "missing", longAscii).size(), 259u);
}

TEST_F(ProfileIniTest, ReadsIntegersLikeTheSystemDoes) {
    const std::string file = Ini("[s]\na=2\nb= 42x\nc=-3\nd=abc\ne=\nf=99999999999\n");
    EXPECT_EQ(GetProfileInt(file, "s", "a", 1), 2);
    EXPECT_EQ(GetProfileInt(file, "s", "b", 1), 42);
    EXPECT_EQ(GetProfileInt(file, "s", "c", 1), -3);
    EXPECT_EQ(GetProfileInt(file, "s", "d", 1), 0);
    EXPECT_EQ(GetProfileInt(file, "s", "e", 1), 0);
    EXPECT_EQ(GetProfileInt(file, "s", "f", 1), INT32_MAX);
    EXPECT_EQ(GetProfileInt(file, "s", "missing", 1), 1);
}

TEST_F(ProfileIniTest, WritingCreatesFileAndSection) {
    ASSERT_TRUE(WriteProfileString(path_, "Install", "InstallPath", "/opt/vantyx"));
    ASSERT_TRUE(WriteProfileString(path_, "Install", "Tag", "IN"));
    ASSERT_TRUE(WriteProfileString(path_, "Stats", "Count", "1"));
    EXPECT_EQ(ReadFile(path_), "[Install]\nInstallPath=/opt/vantyx\nTag=IN\n[Stats]\nCount=1\n");
}

TEST_F(ProfileIniTest, WritingKeepsEverythingElse) {
    Ini("; keep me\r\n[install]\r\nINSTALLPATH=old\r\nOther=1\r\n\r\n[Next]\r\nA=b\r\n");
    ASSERT_TRUE(WriteProfileString(path_, "Install", "InstallPath", "new"));
    ASSERT_TRUE(WriteProfileString(path_, "Install", "Added", "2"));
    EXPECT_EQ(ReadFile(path_),
              "; keep me\r\n[install]\r\nINSTALLPATH=new\r\nOther=1\r\nAdded=2\r\n\r\n[Next]\r\nA=b\r\n");
    EXPECT_EQ(GetProfileString(path_, "INSTALL", "installpath", ""), "new");
}

TEST_F(ProfileIniTest, WritingIntoAMissingFolderFails) {
    EXPECT_FALSE(WriteProfileString(path_ + ".d/inner.ini", "s", "k", "v"));
}

}  // namespace
