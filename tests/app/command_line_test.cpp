#include <gtest/gtest.h>

#include "app/apply_command_line.h"
#include "app/command_line_args.h"
#include "app/command_line_split.h"

namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLineTest, FollowsTheWindowsRules) {
    struct Case {
        const char* text;
        Args expected;
    } cases[] = {
        {"", {}},
        {"prog", {"prog"}},
        {"prog  a\tb  ", {"prog", "a", "b"}},
        {R"("C:\Program Files\x.exe" /S)", {R"(C:\Program Files\x.exe)", "/S"}},
        {R"(prog "a b" c)", {"prog", "a b", "c"}},
        {R"(prog -instcmd="/x y" z)", {"prog", "-instcmd=/x y", "z"}},
        {R"(prog a\\b a\"b)", {"prog", R"(a\\b)", R"(a"b)"}},
        {R"(prog a\\\\"b c")", {"prog", R"(a\\b c)"}},
        {R"(prog a\\\"b)", {"prog", R"(a\"b)"}},
        {R"(prog "" x)", {"prog", "", "x"}},
        {R"(prog "a""b")", {"prog", R"(a"b)"}},
        {R"(prog """a""")", {"prog", R"("a")"}},
        {R"(prog /D=C:\dir\)", {"prog", R"(/D=C:\dir\)"}},
        {R"("C:\dir\" tail)", {R"(C:\dir\)", "tail"}},  // the program knows no escapes
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.text), c.expected) << c.text;
}

TEST(CommandLineArgsTest, KeysValuesAndFirstOccurrence) {
    const CommandLineArgs args(Args{"/path/prog", "-downloadurl=http://h/p?a=1&b=c", "-downloadtype=3",
                                    "-downloadtype=2", "-insnew", "-DownloadType=9", "--language=4",
                                    "-empty=", "plain"});
    EXPECT_EQ(args.GetString("-downloadurl"), "http://h/p?a=1&b=c");
    EXPECT_EQ(args.GetInt("-downloadtype"), 3);
    EXPECT_TRUE(args.Has("-insnew"));
    EXPECT_FALSE(args.GetBool("-insnew"));
    EXPECT_TRUE(args.Has("-empty"));
    EXPECT_EQ(args.GetString("-empty"), "");
    EXPECT_TRUE(args.Has("plain"));
    EXPECT_FALSE(args.Has("-language"));
    EXPECT_EQ(args.GetString("-missing"), "");
}

TEST(CommandLineArgsTest, ConvertsValues) {
    const CommandLineArgs args(Args{"prog", "-i1=2x", "-i2= -7", "-i3=abc", "-i4=99999999999",
                                    "-b1=true", "-b2=True", "-b3=1", "-d1=0.5x", "-d2= 1e-1",
                                    "-d3=abc", "-d4=.25", "-d5=inf", "-d6=1e999"});
    EXPECT_EQ(args.GetInt("-i1"), 2);
    EXPECT_EQ(args.GetInt("-i2"), -7);
    EXPECT_EQ(args.GetInt("-i3"), 0);
    EXPECT_EQ(args.GetInt("-i4"), INT32_MAX);
    EXPECT_TRUE(args.GetBool("-b1"));
    EXPECT_FALSE(args.GetBool("-b2"));
    EXPECT_FALSE(args.GetBool("-b3"));
    EXPECT_DOUBLE_EQ(args.GetDouble("-d1", 9), 0.5);
    EXPECT_DOUBLE_EQ(args.GetDouble("-d2", 9), 0.1);
    EXPECT_DOUBLE_EQ(args.GetDouble("-d3", 9), 9);
    EXPECT_DOUBLE_EQ(args.GetDouble("-d4", 9), 0.25);
    EXPECT_DOUBLE_EQ(args.GetDouble("-d5", 9), 9);
    EXPECT_DOUBLE_EQ(args.GetDouble("-d6", 9), 9);
    EXPECT_DOUBLE_EQ(args.GetDouble("-missing", 9), 9);
}

TEST(ApplyCommandLineTest, CopiesRecognisedOptions) {
    CInstallerConfig config("");
    ApplyCommandLine(config, CommandLineArgs::FromCommandText(
                                 R"(prog -downloadurl=http://h/${ROUTE}/x -downloadtype=3 )"
                                 R"(-downloadscale=0.25 -ischecknet=true -isenableappsensors=false )"
                                 R"(-dlappnamesuffix=.s -dlappversion=2.0 -instcmd="/a b" )"
                                 R"(-language=abc -insnew=true -unknown=1)"));
    EXPECT_EQ(config.m_DownloadUrl, "http://h/download_silent/x");
    EXPECT_EQ(config.m_DownloadType, 3);
    EXPECT_DOUBLE_EQ(config.m_DownloadScale, 0.25);
    EXPECT_TRUE(config.m_IsCheckNet);
    EXPECT_FALSE(config.m_IsEnableAppSensors);
    EXPECT_EQ(config.m_DlAppNameSuffix, ".s");
    EXPECT_EQ(config.m_DlAppVersion, "2.0");
    EXPECT_EQ(config.m_InstCmd, "/a b");
    EXPECT_EQ(config.m_Language, 0);
    EXPECT_TRUE(config.m_InsNew);
}

TEST(ApplyCommandLineTest, LeavesFieldsWithoutOptionsAlone) {
    CInstallerConfig config("");
    config.m_DownloadScale = 0.4;
    config.m_InstCmd = "/keep";
    ApplyCommandLine(config, CommandLineArgs(Args{"prog", "-insnew", "-downloadtype=x"}));
    EXPECT_FALSE(config.m_InsNew);
    EXPECT_EQ(config.m_DownloadType, 0);
    EXPECT_DOUBLE_EQ(config.m_DownloadScale, 0.4);
    EXPECT_EQ(config.m_InstCmd, "/keep");

    ApplyCommandLine(config, CommandLineArgs(Args{"prog", "-downloadscale=abc"}));
    EXPECT_DOUBLE_EQ(config.m_DownloadScale, 0.7);  // a share between 0 and 1
}

}  // namespace
