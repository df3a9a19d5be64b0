#include "records/install_record.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/accounts.h"
#include "platform/known_folders.h"
#include "records/registry_store.h"
#include "support/test_folder.h"

namespace {

std::string ThisAccountsDefault() {
    const std::optional<std::string> user = platform::ConsoleUserName();
    return InstallRecord::DefaultFolderFor(user && platform::IsAdministratorAccount(*user),
                                           platform::RunsElevated());
}

TEST(InstallRecord, DefaultFolderDependsOnTheAccount) {
    const std::string appData = std::getenv("APPDATA");
    const std::string programFiles = platform::ProgramFilesDirectory();
    const std::tuple<bool, bool, std::string> cases[] = {
        {true, true, appData + "/tarvo/VantyxAudioEditor"},
        {true, false, programFiles + "/VantyxAudioEditor"},
        {false, true, programFiles + "/VantyxAudioEditor"},
        {false, false, programFiles + "/VantyxAudioEditor"},
    };
    for (const auto& [admin, elevated, expected] : cases) {
        EXPECT_EQ(InstallRecord::DefaultFolderFor(admin, elevated), expected) << admin << elevated;
    }
}

TEST(InstallRecord, WrittenRecordIsReadBackAndBecomesTheDefault) {
    const std::filesystem::path folder = testsupport::NewFolder("Vantyx Audio");
    testsupport::WriteFile(folder / "uninst.ep", "#!/bin/sh\n");

    InstallRecord finished;
    finished.m_InstalledDir = folder.string();
    finished.WriteInstallRecord();

    InstallRecord next;
    next.ReadInstallRecord();
    EXPECT_EQ(next.m_RecordedInstallDir, folder.string());
    EXPECT_EQ(next.m_RecordedUninstallerPath, (folder / "uninst.ep").string());
    EXPECT_TRUE(next.m_HasExistingInstall);
    EXPECT_EQ(next.GetDefaultInstallDir(), folder.string());
    EXPECT_TRUE(next.IsDefaultInstallDir(folder.string() + "/"));
    EXPECT_EQ(next.m_IsElevated, platform::RunsElevated());

    // Once the uninstaller file is gone the account's default comes back.
    std::filesystem::remove(folder / "uninst.ep");
    EXPECT_EQ(next.GetDefaultInstallDir(), ThisAccountsDefault());
}

TEST(InstallRecord, InstallPathAloneImpliesTheFoldersUninstaller) {
    const std::filesystem::path folder = testsupport::NewFolder("only path");
    ASSERT_TRUE(WriteRegistryValue("InstallPath", folder.string()));
    InstallRecord record;
    record.m_RecordedUninstallerPath = "stale";
    record.ReadInstallRecord();
    EXPECT_EQ(record.m_RecordedUninstallerPath, folder.string() + "/uninst.ep");
    EXPECT_EQ(record.GetDefaultInstallDir(), ThisAccountsDefault());
    testsupport::WriteFile(folder / "uninst.ep", "x");
    EXPECT_EQ(record.GetDefaultInstallDir(), folder.string());

    std::filesystem::remove_all(folder);
    record.ReadInstallRecord();
    EXPECT_FALSE(record.m_HasExistingInstall);
}

TEST(InstallRecord, AMissingReportedUninstallerKeepsThePreviousValue) {
    const std::filesystem::path first = testsupport::NewFolder("first");
    const std::filesystem::path second = testsupport::NewFolder("second");
    testsupport::WriteFile(first / "u.ep", "x");
    ASSERT_TRUE(WriteRegistryValue("UnInstallEp", (first / "u.ep").string()));

    InstallRecord finished;
    finished.m_InstalledDir = second.string();
    finished.m_ReportedUninstallerPath = (second / "missing.ep").string();
    finished.WriteInstallRecord();

    std::string installPath, uninstaller;
    ASSERT_TRUE(ReadRegistryValue("InstallPath", installPath));
    ASSERT_TRUE(ReadRegistryValue("UnInstallEp", uninstaller));
    EXPECT_EQ(installPath, second.string());
    EXPECT_EQ(uninstaller, (first / "u.ep").string());
}

TEST(InstallRecord, FolderTextNamingTheDefaultGivesTheDefault) {
    InstallRecord record;
    const std::string defaultDir = record.GetDefaultInstallDir();
    const std::string parent = defaultDir.substr(0, defaultDir.rfind('/'));
    const std::string same[] = {defaultDir + "/", defaultDir + "/./",
                                parent + "//VantyxAudioEditor", defaultDir + "/sub/.."};
    for (const std::string& text : same) EXPECT_EQ(record.GetInstallDir(text), defaultDir) << text;
    const std::string other[] = {parent + "/vantyxaudioeditor", "/elsewhere/V", ""};
    for (const std::string& text : other) EXPECT_EQ(record.GetInstallDir(text), text) << text;
}

TEST(InstallRecord, KeepsPreviousInstallOnlyForItsFolderWithOverrideFalse) {
    const std::filesystem::path folder = testsupport::NewFolder("recorded");
    const std::filesystem::path other = testsupport::NewFolder("other");
    InstallRecord record;
    record.m_RecordedInstallDir = folder.string();
    const std::pair<std::string, bool> cases[] = {
        {"[Uninstall]\nIsOverride=false\n", true},
        {"[UNINSTALL]\r\nisoverride = false \r\n", true},
        {"[Install]\nAppName=V\n[uninstall]\nISOVERRIDE=\"false\"\n", true},
        {"[Uninstall]\nIsOverride=False\n", false},
        {"[Uninstall]\nIsOverride=true\n", false},
        {"[Uninstall]\nIsOverride=falsey\n", false},
        {"[Install]\nIsOverride=false\n", false},
    };
    for (const auto& [ini, keeps] : cases) {
        testsupport::WriteFile(folder / "set.ini", ini);
        testsupport::WriteFile(other / "set.ini", ini);
        EXPECT_EQ(record.KeepsPreviousInstall(folder.string()), keeps) << ini;
        EXPECT_EQ(record.KeepsPreviousInstall(folder.string() + "/"), keeps) << ini;
        EXPECT_FALSE(record.KeepsPreviousInstall(other.string())) << ini;
    }
    std::filesystem::remove(folder / "set.ini");
    EXPECT_FALSE(record.KeepsPreviousInstall(folder.string()));
    record.m_RecordedInstallDir.clear();
    EXPECT_FALSE(record.KeepsPreviousInstall(""));
}

}  // namespace
