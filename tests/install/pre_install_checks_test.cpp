#include "install/pre_install_checks.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <fstream>

#include "install/child_process.h"
#include "records/hard_disk_manager.h"
#include "support/test_folder.h"

namespace {

// A process whose executable carries a given name, for as long as it lives.
class RunningProgram {
  public:
    explicit RunningProgram(const std::string& name) {
        const std::filesystem::path program = testsupport::NewFolder("running") / name;
        std::filesystem::copy_file("/bin/sleep", program);
        child_.Start(program.string(), " 30");
    }
    ~RunningProgram() {
        ::kill(child_.Id(), SIGKILL);
        child_.Wait();
    }

  private:
    ChildProcess child_;
};

TEST(PreInstallChecks, LowSpaceThresholdIsOneGiB) {
    const std::string folder = (testsupport::NewFolder("target") / "new/Vantyx").string();
    const std::pair<const char*, PreInstallVerdict> cases[] = {
        {"1073741823", PreInstallVerdict::kLowDiskSpace},
        {"1073741824", PreInstallVerdict::kReady},
        {"0", PreInstallVerdict::kLowDiskSpace},
    };
    for (const auto& [bytes, verdict] : cases) {
        ::setenv("TARVO_FREE_DISK_BYTES", bytes, 1);
        // Update mode skips the process checks, which other tests' programs could trip.
        const PreInstallCheck check = RunPreInstallChecks(folder, true);
        EXPECT_EQ(check.verdict, verdict) << bytes;
        EXPECT_TRUE(std::filesystem::is_directory(folder));
    }
    ::setenv("TARVO_FREE_DISK_BYTES", "5", 1);
    const PreInstallCheck low = RunPreInstallChecks(folder, true, "空间不足");
    EXPECT_EQ(low.message, "空间不足");
    EXPECT_EQ(low.caption, "温馨提示");
    EXPECT_EQ(low.dialog, "MessageBox2Wnd.xml");
    EXPECT_EQ(low.UnattendedExitCode(), 3);
    EXPECT_EQ(RunPreInstallChecks(folder, true).message, kLowDiskSpaceText);
}

TEST(PreInstallChecks, AFolderThatCannotBeMadeIsInvalid) {
    const std::filesystem::path file = testsupport::NewFolder("f") / "plain file";
    testsupport::WriteFile(file, "x");
    for (const std::string& folder :
         {(file / "Vantyx").string(), std::string(), "/" + std::string(300, 'd')}) {
        const PreInstallCheck check = RunPreInstallChecks(folder, true);
        EXPECT_EQ(check.verdict, PreInstallVerdict::kInvalidFolder) << folder;
        EXPECT_EQ(check.message, "无效路径");
        EXPECT_EQ(check.dialog, "MessageBox2Wnd.xml");
    }
}

TEST(PreInstallChecks, RunningProgramsStopTheInstallUnlessUpdating) {
    ::setenv("TARVO_FREE_DISK_BYTES", "2000000000", 1);
    const std::string folder = (testsupport::NewFolder("target") / "Vantyx").string();
    const std::pair<const char*, PreInstallVerdict> cases[] = {
        {"VantyxAudioEditor_un_asa.exe", PreInstallVerdict::kUninstallerRunning},
        {"zoviruzarivodo.exe", PreInstallVerdict::kProductRunning},
    };
    for (const auto& [name, verdict] : cases) {
        RunningProgram running(name);
        const PreInstallCheck check = RunPreInstallChecks(folder, false);
        EXPECT_EQ(check.verdict, verdict) << name;
        EXPECT_EQ(check.message,
                  "安装程序检测到Vantyx音频剪辑软件\r\n正在运行，请退出程序后再安装");
        EXPECT_EQ(check.dialog, "MessageBox1Wnd.xml");
        EXPECT_EQ(check.UnattendedExitCode(), 3);
        EXPECT_TRUE(RunPreInstallChecks(folder, true).Passed()) << name;
    }
    EXPECT_EQ(RunPreInstallChecks(folder, true).UnattendedExitCode(), 0);
}

TEST(HardDiskManager, AsksTheNearestExistingFolder) {
    ::unsetenv("TARVO_FREE_DISK_BYTES");
    Utils::HardDiskManager disk;
    ASSERT_TRUE(disk.CheckFreeSpace((testsupport::NewFolder("d") / "not/yet/there").string()));
    EXPECT_GT(disk.m_TotalBytes, 0u);
    EXPECT_GE(disk.m_TotalFreeBytes, disk.m_FreeBytesAvailable);
    EXPECT_GE(disk.m_TotalBytes, disk.m_TotalFreeBytes);
}

TEST(HardDiskManager, AFailedCheckKeepsTheFiguresAndLogsTheCode) {
    const std::filesystem::path log = testsupport::NewFolder("log") / "debug.log";
    ::setenv("TARVO_DEBUG_OUTPUT", log.c_str(), 1);
    Utils::HardDiskManager disk;
    EXPECT_FALSE(disk.CheckFreeSpace(""));
    EXPECT_EQ(disk.m_FreeBytesAvailable, 0u);
    EXPECT_EQ(disk.FreeGiB(), 0.0);
    const std::string logged = testsupport::ReadFile(log);
    EXPECT_NE(logged.find("(Utils::HardDiskManager::CheckFreeSpace)<"), std::string::npos)
        << logged;
    EXPECT_TRUE(logged.ends_with(">: HardDiskManager::CheckFreeSpace FAIL code=2\n")) << logged;
}

}  // namespace
