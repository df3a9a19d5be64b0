#include "install/installer.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "app/installer_config.h"
#include "event_recorder.h"
#include "fixture_program.h"
#include "support/test_folder.h"

namespace {

const std::string kFailText = "安装包安装失败";

struct CommandLineCase {
    std::string installDir;
    bool desktop, quickLaunch, adminAct, authorizationAct;
    std::string language;
    std::string instCmd;
    std::string expected;
};

TEST(InstallerCommandLine, IsAssembledInItsFixedOrder) {
    const std::string pkg = "\"/tmp/x y/__Package_VantyxAudioEditor.exe\"";
    const std::string head = pkg + " /S -console=show -version=1.0.0";
    const CommandLineCase cases[] = {
        {"/opt/Vantyx Audio", true, false, true, false, "", "",
         head + " -adminact=true -authorizationact=false -dsc=true -ssc=false"
                " -instdir=\"/opt/Vantyx Audio\" /D=/opt/Vantyx Audio"},
        {"", false, true, false, true, "zh-CN", "-channel=7",
         head + " -adminact=false -authorizationact=true -dsc=false -ssc=true"
                " -inslang=\"zh-CN\" -channel=7"},
        {"/d", true, true, true, true, "en", "-a -b",
         head + " -adminact=true -authorizationact=true -dsc=true -ssc=true -inslang=\"en\""
                " -a -b -instdir=\"/d\" /D=/d"},
    };
    for (const CommandLineCase& c : cases) {
        InstallerConfig().m_InstCmd = c.instCmd;
        CInstaller installer(nullptr, pkg, "ignored", false, false, false);
        installer.SetInstallDir(c.installDir);
        installer.SetCreateDesktopShortcut(c.desktop);
        installer.SetCreateQuickLaunch(c.quickLaunch);
        installer.SetAdminAct(c.adminAct);
        installer.SetAuthorizationAct(c.authorizationAct);
        installer.SetLanguageCode(c.language);
        EXPECT_EQ(installer.BuildCommandLine(), c.expected);
    }
    InstallerConfig().m_InstCmd.clear();
}

TEST(InstallerCommandLine, ConstructorFlagsAndDefaults) {
    CInstaller installer(nullptr, "\"/p\"", "/dir", true, false, false);
    // The elevated flag starts true and no language is sent.
    EXPECT_EQ(installer.BuildCommandLine(),
              "\"/p\" /S -console=show -version=1.0.0 -adminact=false -authorizationact=true"
              " -dsc=true -ssc=false -instdir=\"/dir\" /D=/dir");
}

TEST(InstallerCommandLine, LongFoldersAreNeverCut) {
    const std::string folder = "/" + std::string(1500, 'f');
    CInstaller installer(nullptr, "\"/p\"", folder, true, true, true);
    EXPECT_TRUE(installer.BuildCommandLine().ends_with(" /D=" + folder));
}

struct ParseCase {
    std::string chunk;
    std::vector<RecordedEvent> events;
    int result;
};

TEST(InstallerParse, EachKeyRaisesItsEvent) {
    const std::string longValue(772, 'v');
    const std::string limitValue(771, 'v');
    const ParseCase cases[] = {
        {"Progress=0.5\n", {{IST_CODE_PROGRESS, 0.5, ""}}, 0},
        {"Progress= 0.25xyz", {{IST_CODE_PROGRESS, 0.25, ""}}, 0},
        {"Progress=abc", {{IST_CODE_PROGRESS, 0, ""}}, 0},
        {"InstPath=/opt/V A\r\n", {{IST_INFO_INSTPATH, 0, "/opt/V A\r"}}, 0},
        {"State=Success\n", {{IST_CODE_SUCCESS, 0, ""}}, 1},
        {"State=  Fail \r\n", {{IST_CODE_FAIL, 0, kFailText}}, 1000},
        {"State=Done\n", {}, 0},
        {"State=success\n", {}, 0},
        {"InstallVersion=1.2.3\n", {}, 0},
        {"ExePath=/opt/V/zoviruzarivodo.exe",
         {{IST_INFO_EXEPATH, 0, "/opt/V/zoviruzarivodo.exe"}},
         0},
        {"StartExe=/a", {{IST_INFO_EXEPATH, 0, "/a"}}, 0},
        {"UninstExePath=/u1", {{IST_INFO_UNINSTEXE, 0, "/u1"}}, 0},
        {"UninstExe=/u2", {{IST_INFO_UNINSTEXE, 0, "/u2"}}, 0},
        {"UninstEp=/opt/V/uninst.ep", {{IST_INFO_UNINSTEP, 0, "/opt/V/uninst.ep"}}, 0},
        {"Error=磁盘已满\n", {{IST_CODE_FAIL, 1000, "磁盘已满"}}, 1000},
        {"TopShowDetention=-1\n", {{IST_INFO_TOPSHOW, 4294967295.0, ""}}, 0},
        {"TopShowDetention=x", {{IST_INFO_TOPSHOW, 0, ""}}, 0},
        {"FinsihCloseDetention= 30s", {{IST_INFO_FINISHCLOSE, 30, ""}}, 0},
        {"FinishCloseDetention=30", {}, 0},
        {"StartUrl=https://example.test/a?b=c",
         {{IST_INFO_STARTURL, 0, "https://example.test/a?b=c"}},
         0},
        {"StartupStyle=NonStartup", {{IST_INFO_STARTUPSTYLE, 0, ""}}, 0},
        {"StartupStyle= AutoStartup\r", {{IST_INFO_STARTUPSTYLE, 1, ""}}, 0},
        {"StartupStyle=UserStartup", {{IST_INFO_STARTUPSTYLE, 2, ""}}, 0},
        {"StartupStyle=Later", {{IST_INFO_STARTUPSTYLE, 0, ""}}, 0},
        {"Message=你好", {{IST_INFO_MESSAGE, 0, "你好"}}, 0},
        {"Message=", {{IST_INFO_MESSAGE, 0, ""}}, 0},
        {"Message=" + limitValue, {{IST_INFO_MESSAGE, 0, limitValue}}, 0},
        {"Message=" + longValue, {{IST_INFO_MESSAGE, 0, ""}}, 0},
        {" Message=indented\nmessage=lower\nUnknown=1\n\n\n", {}, 0},
        // The last final line decides; lines after it are still parsed.
        {"State=Success\nMessage=bye\n",
         {{IST_CODE_SUCCESS, 0, ""}, {IST_INFO_MESSAGE, 0, "bye"}},
         1},
        {"Error=e\nState=Success\n", {{IST_CODE_FAIL, 1000, "e"}, {IST_CODE_SUCCESS, 0, ""}}, 1},
    };
    for (const ParseCase& c : cases) {
        EventRecorder recorder;
        CInstaller installer(recorder.Callback(), "\"/p\"", "", true, true, true);
        EXPECT_EQ(installer.Parse(c.chunk), c.result) << c.chunk;
        EXPECT_EQ(recorder.Events(), c.events) << c.chunk;
    }
}

TEST(InstallerParse, EncodeChoosesTheCodePage) {
    const std::pair<std::string, int32_t> cases[] = {
        {"Encode=936", 936},       {"Encode= UTF8 \r", 65001}, {"Encode=ACP", 0},
        {"Encode=utf8", 0},        {"Encode=GBK", 0},          {"Encode= -5x", -5},
        {"Encode=99999999999", 0}, {"Encode=65001", 65001},
    };
    for (const auto& [line, codePage] : cases) {
        EventRecorder recorder;
        CInstaller installer(recorder.Callback(), "\"/p\"", "", true, true, true);
        installer.Parse("Encode=1200\n");
        EXPECT_EQ(installer.Parse(line), 0);
        EXPECT_EQ(installer.CodePage(), codePage) << line;
        EXPECT_TRUE(recorder.Events().empty());
    }
}

// Runs the stand-in package with the given steps to its end.
class InstallerRun : public ::testing::Test {
  protected:
    std::vector<RecordedEvent> RunPackage(const std::string& steps,
                                          const std::string& installDir = "/target dir") {
        const std::filesystem::path folder = testsupport::NewFolder("package dir");
        const std::filesystem::path package = folder / "__Package_VantyxAudioEditor.exe";
        PlaceFixtureProgram(package);
        argsFile_ = folder / "args.txt";
        ::setenv("FIXTURE_STEPS", steps.c_str(), 1);
        ::setenv("FIXTURE_ARGS", argsFile_.c_str(), 1);
        EventRecorder recorder;
        {
            CInstaller installer(recorder.Callback(), "\"" + package.string() + "\"", installDir,
                                 true, false, true);
            installer.Start();
        }  // waits for the run
        return recorder.Events();
    }

    std::vector<std::string> Arguments() const {
        std::vector<std::string> args;
        std::ifstream in(argsFile_);
        for (std::string line; std::getline(in, line);) args.push_back(line);
        return args;
    }

    std::filesystem::path argsFile_;
};

const RecordedEvent kStart{IST_CODE_START, 0, ""};
const RecordedEvent kProgress0{IST_CODE_PROGRESS, 0, ""};

struct RunCase {
    const char* name;
    std::string steps;
    std::vector<RecordedEvent> events;
};

TEST_F(InstallerRun, StatusLinesBecomeEvents) {
    const RunCase cases[] = {
        {"silent end counts as success", "exit 3", {kStart, kProgress0, {IST_CODE_SUCCESS, 1, ""}}},
        {"progress only",
         "out Progress=0.25\\n\npause\nout Progress=0.5\\nProgress=0.75\\n",
         {kStart,
          kProgress0,
          {IST_CODE_PROGRESS, 0.25, ""},
          {IST_CODE_PROGRESS, 0.5, ""},
          {IST_CODE_PROGRESS, 0.75, ""},
          {IST_CODE_SUCCESS, 1, ""}}},
        {"success then message in one chunk",
         "out InstPath=/opt/V\\nState=Success\\nMessage=done\\n\npause\nout State=Fail\\n",
         {kStart,
          kProgress0,
          {IST_INFO_INSTPATH, 0, "/opt/V"},
          {IST_CODE_SUCCESS, 0, ""},
          {IST_INFO_MESSAGE, 0, "done"}}},
        {"failure state", "out State=Fail\\n", {kStart, kProgress0, {IST_CODE_FAIL, 0, kFailText}}},
        {"error line then exit",
         "out Progress=0.5\\n\npause\nout Error=no space left\\n",
         {kStart,
          kProgress0,
          {IST_CODE_PROGRESS, 0.5, ""},
          {IST_CODE_FAIL, 1000, "no space left"}}},
        {"standard error flooded",
         "err-flood 300000\nout State=Success\\n",
         {kStart, kProgress0, {IST_CODE_SUCCESS, 0, ""}}},
        {"writes on after its final line",
         "out State=Success\\n\npause\nout-flood 300000\nout Error=late\\n",
         {kStart, kProgress0, {IST_CODE_SUCCESS, 0, ""}}},
        {"final line right before the end",
         "out StartUrl=u\\nState=Success\\n\nexit 0",
         {kStart, kProgress0, {IST_INFO_STARTURL, 0, "u"}, {IST_CODE_SUCCESS, 0, ""}}},
    };
    for (const RunCase& c : cases) {
        EXPECT_EQ(RunPackage(c.steps), c.events) << c.name;
    }
}

TEST_F(InstallerRun, DeathBySignalWithoutFinalLineIsAFailure) {
    const std::vector<RecordedEvent> events = RunPackage("out Progress=0.5\\n\npause\nkill KILL");
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[2], (RecordedEvent{IST_CODE_PROGRESS, 0.5, ""}));
    EXPECT_EQ(events[3].code, IST_CODE_FAIL);
    EXPECT_EQ(events[3].value, 2);
    EXPECT_NE(events[3].text.find("SIGKILL"), std::string::npos) << events[3].text;
}

TEST_F(InstallerRun, DeathBySignalAfterTheFinalLineKeepsItsVerdict) {
    EXPECT_EQ(RunPackage("out State=Success\\n\npause\nkill TERM"),
              (std::vector<RecordedEvent>{kStart, kProgress0, {IST_CODE_SUCCESS, 0, ""}}));
}

TEST_F(InstallerRun, EncodeSwitchesTheFollowingChunks) {
    // "中文" in GBK, then "完成" in UTF-8; each after the chunk that chose its code page.
    const std::vector<RecordedEvent> events = RunPackage(
        "out Encode=936\\n\npause\nout Message=\\326\\320\\316\\304\\n\npause\n"
        "out Encode=UTF8\\nMessage=\\326\\320\\n\npause\nout "
        "Message=\\345\\256\\214\\346\\210\\220\\n");
    EXPECT_EQ(events, (std::vector<RecordedEvent>{kStart,
                                                  kProgress0,
                                                  {IST_INFO_MESSAGE, 0, "中文"},
                                                  {IST_INFO_MESSAGE, 0, "中"},
                                                  {IST_INFO_MESSAGE, 0, "完成"},
                                                  {IST_CODE_SUCCESS, 1, ""}}));
}

TEST_F(InstallerRun, AnUndecodableChunkIsEmptyText) {
    EXPECT_EQ(RunPackage("out Message=\\377\\376\\n\npause\nout Message=ok\\n"),
              (std::vector<RecordedEvent>{
                  kStart, kProgress0, {IST_INFO_MESSAGE, 0, "ok"}, {IST_CODE_SUCCESS, 1, ""}}));
}

TEST_F(InstallerRun, PackageGetsItsArgumentsAndIsMadeExecutable) {
    const std::string longFolder = "/install root/" + std::string(1200, 'x');
    EXPECT_EQ(RunPackage("out State=Success\\n", longFolder).back(),
              (RecordedEvent{IST_CODE_SUCCESS, 0, ""}));
    EXPECT_EQ(Arguments(),
              (std::vector<std::string>{"/S", "-console=show", "-version=1.0.0", "-adminact=true",
                                        "-authorizationact=true", "-dsc=true", "-ssc=false",
                                        "-instdir=" + longFolder, "/D=/install",
                                        "root/" + longFolder.substr(14)}));
}

TEST(InstallerStart, AMissingPackageCannotBeStarted) {
    EventRecorder recorder;
    {
        CInstaller installer(
            recorder.Callback(),
            "\"" + (testsupport::NewFolder("none") / "missing.exe").string() + "\"", "/d", true,
            true, true);
        installer.Start();
    }
    EXPECT_EQ(recorder.Events(),
              (std::vector<RecordedEvent>{kStart, kProgress0, {IST_CODE_FAIL, 2, ""}}));
}

TEST_F(InstallerRun, ASecondStartWaitsForTheFirstRun) {
    const std::filesystem::path folder = testsupport::NewFolder("twice");
    const std::filesystem::path package = folder / "pkg.exe";
    PlaceFixtureProgram(package);
    ::setenv("FIXTURE_STEPS", "pause\nout Progress=0.5\\n", 1);
    ::unsetenv("FIXTURE_ARGS");
    EventRecorder recorder;
    {
        CInstaller installer(recorder.Callback(), "\"" + package.string() + "\"", "", true, true,
                             true);
        installer.Start();
        installer.Start();
    }
    const std::vector<RecordedEvent> one = {
        kStart, kProgress0, {IST_CODE_PROGRESS, 0.5, ""}, {IST_CODE_SUCCESS, 1, ""}};
    std::vector<RecordedEvent> both = one;
    both.insert(both.end(), one.begin(), one.end());
    EXPECT_EQ(recorder.Events(), both);
}

}  // namespace
