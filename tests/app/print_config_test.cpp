// The distributor's check: what -printconfig=true prints for an ini file and
// a command line, through the real program.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_process.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;

class PrintConfigTest : public testing::Test {
protected:
    // Runs a copy of the installer placed in its own folder, beside the ini
    // file when one is given.
    testsupport::ProcessResult Run(const std::string* ini, std::vector<std::string> options) {
        const fs::path exe = folder_ / "VantyxSetup";
        fs::copy_file(VANTYX_INSTALLER, exe, fs::copy_options::overwrite_existing);
        if (ini != nullptr) testsupport::WriteFile(folder_ / "TarvoInstallerConfig.ini", *ini);
        options.insert(options.begin(), exe.string());
        options.push_back("-printconfig=true");
        return testsupport::RunProcess(options);
    }
    fs::path folder_ = testsupport::NewFolder("printconfig");
};

TEST_F(PrintConfigTest, PrintsEveryFieldInOrder) {
    const auto result = Run(nullptr, {});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "m_AppName=VantyxAudioEditor\n"
              "m_AppVersion=1.7.9\n"
              "m_SelfFileName=VantyxSetup\n"
              "m_DlAppNameSuffix=.downloader\n"
              "m_DlAppVersion=\n"
              "m_InstCmd=\n"
              "m_DownloadUrl=http://vantyx-downloads.invalid/software/195\n"
              "m_DownloadType=1\n"
              "m_IsCheckNet=false\n"
              "m_IsEnableAppSensors=true\n"
              "m_DownloadScale=0.7\n"
              "m_IsGetRealUrl=true\n"
              "m_InstallTag=IN\n"
              "m_Language=-1\n"
              "m_InsNew=false\n"
              "m_InsecureTls=false\n");
}

TEST_F(PrintConfigTest, CommandLineOverridesTheFile) {
    const std::string ini =
        "[Install]\nDownloadType=3\nDownloadScale=0.5\nIsCheckNet=true\nInstCmd=/from-file\n";
    const auto result = Run(&ini, {"-downloadtype=2", "-downloadtype=3", "-ischecknet=True",
                                   "-instcmd=/a b", "-insnew", "-language=5", "-downloadscale=0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* line : {"m_DownloadType=2\n", "m_IsCheckNet=false\n", "m_InstCmd=/a b\n",
                             "m_InsNew=false\n", "m_Language=5\n", "m_DownloadScale=0\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line << "in\n" << result.out;
    }
}

TEST_F(PrintConfigTest, UpdateModeNeedsExactlyTrue) {
    EXPECT_NE(Run(nullptr, {"-insnew=true"}).out.find("m_InsNew=true\n"), std::string::npos);
    EXPECT_NE(Run(nullptr, {"-insnew=True"}).out.find("m_InsNew=false\n"), std::string::npos);
}

}  // namespace
