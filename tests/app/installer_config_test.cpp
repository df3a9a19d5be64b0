#include "app/installer_config.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace {

// A configuration as the installer at <folder>/setup.bin would build it.
class InstallerConfigTest : public testing::Test {
protected:
    CInstallerConfig Load(const std::string* ini) {
        if (ini != nullptr) testsupport::WriteFile(folder_ / kConfigFileName, *ini);
        return CInstallerConfig((folder_ / "setup.bin").string());
    }
    std::filesystem::path folder_ = testsupport::NewFolder("config");
};

TEST_F(InstallerConfigTest, DefaultsWithoutAFile) {
    const CInstallerConfig config = Load(nullptr);
    EXPECT_EQ(config.m_SelfFileName, "setup.bin");
    EXPECT_EQ(config.m_DownloadUrl, kBuiltInDownloadUrl);
    EXPECT_EQ(config.m_DownloadType, 1);
    EXPECT_FALSE(config.m_IsCheckNet);
    EXPECT_TRUE(config.m_IsEnableAppSensors);
    EXPECT_DOUBLE_EQ(config.m_DownloadScale, 0.7);
    EXPECT_EQ(config.m_Language, -1);
    EXPECT_FALSE(config.m_InsNew);
}

TEST_F(InstallerConfigTest, AnEmptySectionTurnsTheProbeOn) {
    const std::string ini = "[Install]\n";
    const CInstallerConfig config = Load(&ini);
    EXPECT_TRUE(config.m_IsCheckNet);
    EXPECT_EQ(config.m_DownloadUrl, kBuiltInDownloadUrl);
    EXPECT_DOUBLE_EQ(config.m_DownloadScale, 0.7);
}

TEST_F(InstallerConfigTest, ReadsEveryKey) {
    const std::string ini =
        "[install]\n"
        "downloadurl=http://mirror.test/${ROUTE}/p?k=${ROUTE}\n"
        "DownloadType=2x\n"
        "IsCheckNet=TRUE\n"
        "IsEnableAppSensors=1\n"
        "DlAppNameSuffix=.dl\n"
        "m_DlAppVersion=3.1\n"
        "DownloadScale= 0.5x\n"
        "InstCmd=/quiet /x=1\n"
        "insecuretls=true\n";
    const CInstallerConfig config = Load(&ini);
    EXPECT_EQ(config.m_DownloadUrl, "http://mirror.test/download_silent/p?k=download_silent");
    EXPECT_EQ(config.m_DownloadType, 2);
    EXPECT_FALSE(config.m_IsCheckNet);
    EXPECT_FALSE(config.m_IsEnableAppSensors);
    EXPECT_EQ(config.m_DlAppNameSuffix, ".dl");
    EXPECT_EQ(config.m_DlAppVersion, "3.1");
    EXPECT_DOUBLE_EQ(config.m_DownloadScale, 0.5);
    EXPECT_EQ(config.m_InstCmd, "/quiet /x=1");
    EXPECT_TRUE(config.m_InsecureTls);
}

TEST_F(InstallerConfigTest, NonNumbersReadAsZero) {
    const std::string ini = "[Install]\nDownloadType=abc\nDownloadScale=abc\n";
    const CInstallerConfig config = Load(&ini);
    EXPECT_EQ(config.m_DownloadType, 0);
    EXPECT_DOUBLE_EQ(config.m_DownloadScale, 0.0);
}

TEST(ChannelKeyTest, ReplacesEveryRoute) {
    EXPECT_EQ(ResolveRoute("a${ROUTE}b${ROUTE}", "k"), "akbk");
    EXPECT_EQ(ResolveRoute("none here", "k"), "none here");
    EXPECT_EQ(ChannelKey(), "download_silent");
}

}  // namespace
