#include "records/analytics_state.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <thread>

#include "platform/profile_ini.h"
#include "support/test_folder.h"

namespace {

std::string Key(const std::filesystem::path& file, const char* section, const char* key) {
    return platform::GetProfileString(file.string(), section, key, "<none>");
}

TEST(AnalyticsState, FolderIsBelowTheApplicationData) {
    EXPECT_EQ(AnalyticsState::GetAnalyticsDir(),
              std::string(std::getenv("APPDATA")) + "/TarvoData/VantyxAudioEditor");
    ::unsetenv("APPDATA");
    EXPECT_EQ(AnalyticsState::GetAnalyticsDir(),
              std::string(std::getenv("XDG_CONFIG_HOME")) + "/TarvoData/VantyxAudioEditor");
}

TEST(AnalyticsState, WriteSetIniFillsBothFilesAndKeepsTheRest) {
    const std::filesystem::path folder = testsupport::NewFolder("installed");
    const std::filesystem::path setIni = folder / "set.ini";
    testsupport::WriteFile(setIni,
                           "[UNINSTALL]\nIsOverride=false\n[install]\nappname=Old\nExtra=kept\n");
    AnalyticsState::WriteSetIni(folder.string(), "/downloads/Setup_X.exe");

    const std::string stateFile = AnalyticsState::GetAnalyticsDir() + "/VIRodededIrevazuri.ini";
    EXPECT_EQ(Key(setIni, "Install", "APPStore"), "Setup_X.exe");
    EXPECT_EQ(Key(setIni, "Install", "AppName"), "VantyxAudioEditor");
    EXPECT_EQ(Key(setIni, "Install", "Extra"), "kept");
    EXPECT_EQ(Key(setIni, "Uninstall", "IsOverride"), "false");
    EXPECT_EQ(Key(setIni, "Install", "VIRodededIrevazuriIni"), stateFile);
    const std::string firstId = Key(setIni, "Install", "DeviceID");
    EXPECT_TRUE(std::regex_match(firstId, std::regex("[0-9A-F]{12}[0-9a-f]{4}[0-9A-F]{16}")))
        << firstId;
    const std::string firstTime = Key(stateFile, "Init", "UpdateTime");
    EXPECT_TRUE(std::regex_match(firstTime, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")))
        << firstTime;
    // The key is not doubled by the second section spelling.
    EXPECT_EQ(testsupport::ReadFile(setIni).find("AppName"), std::string::npos);

    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    AnalyticsState::WriteSetIni(folder.string(), "/downloads/Setup_X.exe");
    EXPECT_NE(Key(setIni, "Install", "DeviceID"), firstId);
    EXPECT_NE(Key(stateFile, "Init", "UpdateTime"), firstTime);
}

TEST(AnalyticsState, WithoutAnAnalyticsFolderOnlyTheThreeKeysAreWritten) {
    const std::filesystem::path blocker = testsupport::NewFolder("appdata") / "file";
    testsupport::WriteFile(blocker, "x");
    ::setenv("APPDATA", blocker.c_str(), 1);
    const std::filesystem::path folder = testsupport::NewFolder("installed");
    AnalyticsState::WriteSetIni(folder.string(), "/x/vantyx-installer");
    EXPECT_EQ(Key(folder / "set.ini", "Install", "APPStore"), "vantyx-installer");
    EXPECT_NE(Key(folder / "set.ini", "Install", "DeviceID"), "<none>");
    EXPECT_EQ(Key(folder / "set.ini", "Install", "VIRodededIrevazuriIni"), "<none>");
}

TEST(AnalyticsState, NoFolderMeansNoSetIni) {
    const std::filesystem::path work = testsupport::NewFolder("cwd");
    std::filesystem::current_path(work);
    AnalyticsState::WriteSetIni("", "/x/installer");
    EXPECT_FALSE(std::filesystem::exists(work / "set.ini"));
    EXPECT_TRUE(
        std::filesystem::exists(AnalyticsState::GetAnalyticsDir() + "/VIRodededIrevazuri.ini"));
}

}  // namespace
