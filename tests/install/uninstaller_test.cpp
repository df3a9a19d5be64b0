#include "install/uninstaller.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "event_recorder.h"
#include "fixture_program.h"
#include "install/account_probes.h"
#include "support/test_folder.h"

namespace {

const std::string kRemovalFailedText = "安装包卸载失败";

std::string AccountSwitches() {
    std::string user;
    const bool admin = Utils::GetConsoleUserName(user) && Utils::IsAdminAccount(user);
    return std::string(" -adminact=") + (admin ? "true" : "false") +
           " -authorizationact=" + (Utils::IsTokenAdmin() ? "true" : "false");
}

TEST(UninstallerCommandLine, PathAndFolderGoInUnquoted) {
    const std::pair<std::string, std::string> cases[] = {
        {"/tmp/my temp/VantyxAudioEditor_un_asa.exe", "/opt/Old Vantyx"},
        {"/t/u.exe", ""},
    };
    for (const auto& [path, folder] : cases) {
        CUninstaller uninstaller(nullptr, path, folder);
        EXPECT_EQ(uninstaller.BuildCommandLine(),
                  path + " /S" + AccountSwitches() + " -console=show _?=" + folder);
    }
}

TEST(UninstallerCommandLine, LongPathsAreNeverCut) {
    const std::string folder = "/" + std::string(1100, 'o');
    CUninstaller uninstaller(nullptr, "/u.exe", folder);
    EXPECT_TRUE(uninstaller.BuildCommandLine().ends_with("_?=" + folder));
}

struct ParseCase {
    std::string chunk;
    std::vector<RecordedEvent> events;
    int result;
};

TEST(UninstallerParse, OnlyFourKeysAreKnown) {
    const ParseCase cases[] = {
        {"Progress=0.5\n", {{UNIST_CODE_PROGRESS, 0.5, ""}}, 0},
        {"Progress=?", {{UNIST_CODE_PROGRESS, 0, ""}}, 0},
        {"Error=文件被占用\r\n", {{UNIST_CODE_ERROR, 0, "文件被占用\r"}}, 1000},
        {"State= Success \n", {{UNIST_CODE_SUCCESS, 0, ""}}, 1},
        {"State=Fail", {{UNIST_CODE_ERROR, 0, kRemovalFailedText}}, 1000},
        {"State=Other", {}, 0},
        {"Message=hi\nInstPath=/x\nStartUrl=u\n", {}, 0},
        {"State=Success\nError=late\n",
         {{UNIST_CODE_SUCCESS, 0, ""}, {UNIST_CODE_ERROR, 0, "late"}},
         1000},
    };
    for (const ParseCase& c : cases) {
        EventRecorder recorder;
        CUninstaller uninstaller(recorder.Callback(), "/u", "/o");
        EXPECT_EQ(uninstaller.Parse(c.chunk), c.result) << c.chunk;
        EXPECT_EQ(recorder.Events(), c.events) << c.chunk;
    }
}

TEST(UninstallerParse, EncodeKnowsOnlyUtf8) {
    const std::pair<std::string, int32_t> cases[] = {
        {"Encode=UTF8", 65001}, {"Encode= UTF8\r", 65001}, {"Encode=936", 0}, {"Encode=ACP", 0}};
    for (const auto& [line, codePage] : cases) {
        CUninstaller uninstaller(nullptr, "/u", "/o");
        uninstaller.Parse("Encode=UTF8");
        uninstaller.Parse(line);
        EXPECT_EQ(uninstaller.CodePage(), codePage) << line;
    }
}

class UninstallerRun : public ::testing::Test {
  protected:
    // Runs the stand-in uninstaller copy, placed in a temporary folder with a
    // blank in its name, to its end.
    std::vector<RecordedEvent> RunUninstaller(const std::string& steps,
                                              const std::string& oldFolder = "/opt/old dir") {
        const std::filesystem::path folder = testsupport::NewFolder("my temp");
        const std::filesystem::path copy = folder / "VantyxAudioEditor_un_asa.exe";
        PlaceFixtureProgram(copy);
        argsFile_ = folder / "args.txt";
        ::setenv("FIXTURE_STEPS", steps.c_str(), 1);
        ::setenv("FIXTURE_ARGS", argsFile_.c_str(), 1);
        EventRecorder recorder;
        {
            CUninstaller uninstaller(recorder.Callback(), copy.string(), oldFolder);
            uninstaller.Start();
        }
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

const RecordedEvent kBegin{UNIST_CODE_PROGRESS, 0, ""};

struct RunCase {
    const char* name;
    std::string steps;
    std::vector<RecordedEvent> events;
};

TEST_F(UninstallerRun, StatusLinesBecomeEvents) {
    const RunCase cases[] = {
        {"silent end", "exit 1", {kBegin, {UNIST_CODE_SUCCESS, 1, ""}}},
        {"progress then success",
         "out Progress=0.5\\n\npause\nout State=Success\\n",
         {kBegin, {UNIST_CODE_PROGRESS, 0.5, ""}, {UNIST_CODE_SUCCESS, 0, ""}}},
        {"success, then a later error is still read",
         "out State=Success\\n\npause\nout Error=still running\\n",
         {kBegin, {UNIST_CODE_SUCCESS, 0, ""}, {UNIST_CODE_ERROR, 0, "still running"}}},
        {"failure state", "out State=Fail\\n", {kBegin, {UNIST_CODE_ERROR, 0, kRemovalFailedText}}},
        {"standard error flooded",
         "err-flood 300000\nout State=Success\\n",
         {kBegin, {UNIST_CODE_SUCCESS, 0, ""}}},
        {"encode switches later chunks",
         "out Encode=UTF8\\n\npause\nout Error=\\345\\256\\214\\n",
         {kBegin, {UNIST_CODE_ERROR, 0, "完"}}},
    };
    for (const RunCase& c : cases) {
        EXPECT_EQ(RunUninstaller(c.steps), c.events) << c.name;
    }
}

TEST_F(UninstallerRun, KeepsReadingAFloodUntilTheEnd) {
    const std::vector<RecordedEvent> events =
        RunUninstaller("out State=Success\\n\npause\nout-flood 300000\npause\nout Error=last\\n");
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[1], (RecordedEvent{UNIST_CODE_SUCCESS, 0, ""}));
    EXPECT_EQ(events.back(), (RecordedEvent{UNIST_CODE_ERROR, 0, "last"}));
    for (size_t i = 2; i + 1 < events.size(); ++i) {
        ASSERT_EQ(events[i].code, UNIST_CODE_PROGRESS);
    }
}

TEST_F(UninstallerRun, IsStartedByItsPathWithTheFolderLast) {
    EXPECT_EQ(RunUninstaller("out State=Success\\n").back(),
              (RecordedEvent{UNIST_CODE_SUCCESS, 0, ""}));
    std::string user;
    const bool admin = Utils::GetConsoleUserName(user) && Utils::IsAdminAccount(user);
    EXPECT_EQ(Arguments(),
              (std::vector<std::string>{
                  "/S", std::string("-adminact=") + (admin ? "true" : "false"),
                  std::string("-authorizationact=") + (Utils::IsTokenAdmin() ? "true" : "false"),
                  "-console=show", "_?=/opt/old", "dir"}));
}

TEST_F(UninstallerRun, DeathBySignalWithoutFinalLineIsAFailure) {
    const std::vector<RecordedEvent> events = RunUninstaller("kill KILL");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], kBegin);
    EXPECT_EQ(events[1].code, UNIST_CODE_FAIL);
    EXPECT_EQ(events[1].value, 2);
    EXPECT_NE(events[1].text.find("SIGKILL"), std::string::npos);
}

TEST(UninstallerStart, AMissingCopyIsReportedAndNothingRuns) {
    EventRecorder recorder;
    {
        CUninstaller uninstaller(recorder.Callback(),
                                 (testsupport::NewFolder("t") / "gone.exe").string(), "/o");
        uninstaller.Start();
    }
    EXPECT_EQ(recorder.Events(),
              (std::vector<RecordedEvent>{{UNIST_CODE_FAIL, 1, "可执行卸载文件不存在"}}));
}

TEST(UninstallerStart, ACopyThatIsNoProgramCannotBeStarted) {
    const std::filesystem::path copy = testsupport::NewFolder("t") / "broken.exe";
    testsupport::WriteFile(copy, std::string("MZ\x90\0\3\0garbage", 14));
    EventRecorder recorder;
    {
        CUninstaller uninstaller(recorder.Callback(), copy.string(), "/o");
        uninstaller.Start();
    }
    EXPECT_EQ(recorder.Events(), (std::vector<RecordedEvent>{kBegin, {UNIST_CODE_FAIL, 2, ""}}));
}

}  // namespace
