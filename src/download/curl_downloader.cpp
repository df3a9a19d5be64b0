#include "download/curl_downloader.h"

#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/debug_log.h"
#include "download/integrity_check.h"

namespace {
constexpr auto kAttemptPause = std::chrono::milliseconds(500);
constexpr std::string_view kSource = "LibCurl";
}  // namespace

CCurlDownloader::CCurlDownloader(EventCallback callback, std::string url, std::string filePath,
                                 DownloadSettings settings)
    : callback(std::move(callback)),
      filePath(filePath),
      url(url),
      client(url, filePath, this, &CCurlDownloader::OnProgress, std::move(settings)) {
    // A new downloader never resumes what another process left behind.
    if (!this->filePath.empty()) ::unlink(client.GetFilePath(true).c_str());
}

CCurlDownloader::~CCurlDownloader() {
    thread.Wait();
}

void CCurlDownloader::Start() {
    thread.Start([this] { dlThreadFun(); });
}

void CCurlDownloader::Send(int32_t code, double value, std::string_view text) {
    if (callback) callback(code, value, text);
}

void CCurlDownloader::OnProgress(void* owner, double speed, double, double percent) {
    if (speed > 0.0 && percent <= 100.0) {
        static_cast<CCurlDownloader*>(owner)->Send(DL_CODE_PROGRESS, percent / 100.0, "");
    }
}

void CCurlDownloader::dlThreadFun() {
    Send(DL_CODE_START, 1.0, "");
    if (filePath.empty()) {
        Send(DL_CODE_FAIL, 1.0, "");
        return;
    }
    int32_t result = client.Start();
    int budget = kRetryBudget;
    while (result != 0) {
        budget -= result == CURLE_PARTIAL_FILE ? 1 : 2;
        if (budget <= 0) {
            Send(DL_CODE_FAIL, result, kSource);
            return;
        }
        DEBUG_LOG("CurlDownLoader Code=%d\r\n", result);
        std::this_thread::sleep_for(kAttemptPause);
        result = client.Start();
    }

    FinishVerifiedRun(GetUrlMd5(client.RealUrl()), client.PackageMd5(), retried, kSource,
                      [this](int32_t code, double value, std::string_view text) {
                          Send(code, value, text);
                      });
}
