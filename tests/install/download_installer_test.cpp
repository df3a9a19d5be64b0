// The orchestrator in-process: the chain of removal, download and package run
// with a real download service, a real uninstaller and a real package.

#include "install/download_installer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "download/downloader_factory.h"
#include "event_recorder.h"
#include "support/download_service.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;

// A script that is at least 1 MiB, as the download engine wants packages.
fs::path Script(const fs::path& path, const std::string& body) {
    testsupport::WriteFile(path, "#!/bin/sh\n" + body + "\nexit 0\n" + std::string(1100 * 1024, '#'));
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    return path;
}

class DownloadInstallerTest : public testing::Test {
protected:
    // Downloaders outlive their orchestrators; a program that ends waits for
    // their threads, and so does each test.
    void TearDown() override { WaitForDownloaders(); }

    // Starts a chain into folder_ with the given recorded uninstaller.
    void Start(CDownloadInstaller& orchestrator, const std::string& url, const fs::path& uninstaller) {
        orchestrator.SetInstallParams(url, uninstaller.parent_path().string(), uninstaller.string(),
                                      folder_.string(), true, true, false, false, "");
        orchestrator.Start();
    }
    // Where each code first came.
    size_t PositionOf(int32_t code) {
        const auto codes = recorder_.Codes();
        return static_cast<size_t>(std::find(codes.begin(), codes.end(), code) - codes.begin());
    }

    fs::path root_ = testsupport::NewFolder("chain");
    fs::path folder_ = root_ / "Vantyx Audio";
    fs::path package_ = Script(root_ / "package.exe", "echo 'Progress=0.5'\necho 'State=Success'");
    EventRecorder recorder_;
};

TEST_F(DownloadInstallerTest, PackagePathIsInTheInstallFolder) {
    EXPECT_EQ(CDownloadInstaller::PackagePathFor("/opt/Vantyx"), "/opt/Vantyx/__Package_VantyxAudioEditor.exe");
}

TEST_F(DownloadInstallerTest, RemovesTheOldVersionBeforeDownloading) {
    testsupport::DownloadService service(package_);
    const fs::path uninstaller = Script(root_ / "old" / "uninst.ep", "echo 'Progress=0.5'\necho 'State=Success'");
    {
        CDownloadInstaller orchestrator(recorder_.Callback(), "", "", "", true, true, true);
        Start(orchestrator, service.Url(), uninstaller);
        ASSERT_TRUE(recorder_.WaitFor({IST_CODE_SUCCESS, IST_CODE_FAIL, DL_CODE_FAIL}));
    }  // waits for the package runner, which deletes the package after its last event

    const auto codes = recorder_.Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), UNIST_CODE_PROGRESS);
    EXPECT_LT(PositionOf(UNIST_CODE_SUCCESS), PositionOf(DL_CODE_START));
    EXPECT_LT(PositionOf(DL_CODE_SUCCESS), PositionOf(IST_CODE_START));
    EXPECT_LT(PositionOf(IST_CODE_START), PositionOf(IST_CODE_SUCCESS));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), UNIST_CODE_START), 0);
    EXPECT_FALSE(fs::exists(CDownloadInstaller::PackagePathFor(folder_.string())));
}

TEST_F(DownloadInstallerTest, AFailedRemovalStartsNoDownload) {
    testsupport::DownloadService service(package_);
    const fs::path uninstaller = Script(root_ / "old" / "uninst.ep", "echo 'Error=busy'");
    {
        CDownloadInstaller orchestrator(recorder_.Callback(), "", "", "", true, true, true);
        Start(orchestrator, service.Url(), uninstaller);
        ASSERT_TRUE(recorder_.WaitFor({UNIST_CODE_ERROR, UNIST_CODE_FAIL}));
    }  // waits for the remover
    const auto codes = recorder_.Codes();
    EXPECT_EQ(codes, (std::vector<int32_t>{UNIST_CODE_PROGRESS, UNIST_CODE_ERROR}));
    EXPECT_TRUE(service.Requests().empty());
}

TEST_F(DownloadInstallerTest, AFailedDownloadDeletesThePackageFile) {
    testsupport::DownloadService service(package_, {"--status", "404", "--status-get-only"});
    fs::create_directories(folder_);
    const std::string stale = CDownloadInstaller::PackagePathFor(folder_.string());
    testsupport::WriteFile(stale, "left from an earlier attempt");
    {
        CDownloadInstaller orchestrator(recorder_.Callback(), "", "", "", true, true, true);
        Start(orchestrator, service.Url(), root_ / "no uninstaller");
        ASSERT_TRUE(recorder_.WaitFor({DL_CODE_FAIL}, std::chrono::seconds(60)));
        EXPECT_EQ(recorder_.Codes().front(), DL_CODE_START);
    }
    EXPECT_FALSE(fs::exists(stale));
}

}  // namespace
