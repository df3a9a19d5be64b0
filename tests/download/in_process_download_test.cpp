// The downloaders driven inside the test process, as the installer's
// orchestrator drives them: events arrive on the downloaders' threads, and a
// restart request is answered from inside the callback.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "download/curl_downloader.h"
#include "download/integrity_check.h"
#include "download/mt_curl_downloader.h"
#include "support/download_service.h"
#include "support/test_folder.h"
#include "support/test_package.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testsupport::DownloadService;
using testsupport::MakePackage;

namespace {

// Collects events and restarts the downloader on 1005.
class Orchestrator {
  public:
    EventCallback Callback() {
        return [this](int32_t code, double value, std::string_view text) {
            {
                std::lock_guard lock(mutex_);
                if (code != DL_CODE_PROGRESS) {
                    events_.push_back(std::to_string(code) + " " + std::to_string(int(value)) +
                                      " " + std::string(text));
                }
                if (code == DL_CODE_SUCCESS || code == DL_CODE_FAIL) {
                    done_ = true;
                    changed_.notify_all();
                }
            }
            if (code == DL_CODE_RETRY) downloader_->Start();
        };
    }
    void Run(CDownloader* downloader) {
        downloader_ = downloader;
        downloader->Start();
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return done_; });
    }
    std::vector<std::string> Events() {
        std::lock_guard lock(mutex_);
        return events_;
    }

  private:
    CDownloader* downloader_ = nullptr;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
    bool done_ = false;
};

}  // namespace

TEST(InProcessDownloadTest, SingleStreamRestartsFromInsideTheCallback) {
    const fs::path package = testsupport::NewFolder("pkg") / "setup.exe";
    MakePackage(package, 1048576);
    DownloadService service(package, {"--folder", "0123456789abcdef0123456789abcdef"});
    const fs::path output = testsupport::NewFolder("out") / "p.exe";

    Orchestrator orchestrator;
    auto downloader = std::make_unique<CCurlDownloader>(orchestrator.Callback(), service.Url(),
                                                        output.string(), DownloadSettings{});
    orchestrator.Run(downloader.get());
    downloader->Wait();

    EXPECT_THAT(orchestrator.Events(),
                ElementsAre("1001 1 ", "1006 0 curl文件md5校验失败", "1005 0 LibCurl", "1001 1 ",
                            "1006 0 curl文件md5校验失败", "1004 0 LibCurl"));
}

TEST(InProcessDownloadTest, SegmentedProbeCanBeSwitchedOff) {
    const fs::path package = testsupport::NewFolder("pkg") / "setup.exe";
    MakePackage(package, 1048576);
    DownloadService service(package);
    const fs::path output = testsupport::NewFolder("out") / "p.exe";
    DownloadSettings settings;
    settings.getRealUrl = false;

    Orchestrator orchestrator;
    auto downloader = std::make_unique<CMTCurlDownloader>(orchestrator.Callback(), service.Url(),
                                                          output.string(), settings);
    orchestrator.Run(downloader.get());
    downloader->Wait();

    EXPECT_THAT(orchestrator.Events(), ElementsAre("1001 1 ", "1004 0 LibCurl"));
    EXPECT_TRUE(service.Requests().empty());
}

// An empty package path fails at once with value 1 and no text, and no
// file of the working folder is touched.
TEST(InProcessDownloadTest, AnEmptyPackagePathFailsAtOnce) {
    const fs::path folder = testsupport::NewFolder("cwd");
    for (const char* name : {".part", "_0", "_1"}) testsupport::WriteFile(folder / name, "kept");
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    for (int type : {1, 3}) {
        SCOPED_TRACE(type);
        Orchestrator orchestrator;
        const std::string url = "http://127.0.0.1:9/software/195";
        if (type == 1) {
            CCurlDownloader downloader(orchestrator.Callback(), url, "", DownloadSettings{});
            orchestrator.Run(&downloader);
            downloader.Wait();
        } else {
            CMTCurlDownloader downloader(orchestrator.Callback(), url, "", DownloadSettings{});
            orchestrator.Run(&downloader);
            downloader.Wait();
        }
        EXPECT_THAT(orchestrator.Events(), ElementsAre("1001 1 ", "1004 1 "));
    }
    fs::current_path(previous);
    for (const char* name : {".part", "_0", "_1"}) EXPECT_TRUE(fs::exists(folder / name)) << name;
}
