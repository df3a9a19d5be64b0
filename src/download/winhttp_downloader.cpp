#include "download/winhttp_downloader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "app/debug_log.h"
#include "download/integrity_check.h"
#include "download/winhttp_client.h"

namespace {
constexpr std::string_view kSource = "WinHttp";
// Progress events are sent when the fraction has grown by this much.
constexpr double kProgressStep = 0.001;
}  // namespace

WinHttpDownloader::WinHttpDownloader(EventCallback callback, std::string url, std::string filePath,
                                     DownloadSettings settings)
    : callback(std::move(callback)),
      filePath(std::move(filePath)),
      url(std::move(url)),
      settings(std::move(settings)) {}

WinHttpDownloader::~WinHttpDownloader() {
    thread.Wait();
}

void WinHttpDownloader::Start() {
    thread.Start([this] { Run(); });
}

void WinHttpDownloader::Send(int32_t code, double value, std::string_view text) {
    if (callback) callback(code, value, text);
}

void WinHttpDownloader::Run() {
    Send(DL_CODE_START, 1.0, "");
    if (filePath.empty()) {
        Send(DL_CODE_FAIL, 1.0, "");
        return;
    }
    double failure = 0.0;
    std::string finalUrl;
    if (!Download(failure, finalUrl)) {
        Send(DL_CODE_FAIL, failure, kSource);
        return;
    }

    FinishVerifiedRun(GetUrlMd5(finalUrl), GetFileMd5(filePath), retried, kSource,
                      [this](int32_t code, double value, std::string_view text) {
                          Send(code, value, text);
                      });
}

bool WinHttpDownloader::Download(double& failure, std::string& finalUrl) {
    const std::string temporary = TemporaryPath();
    // The client appends; the body must land in an empty file.
    ::unlink(temporary.c_str());

    WinHttpClient client(url);
    client.responseFilePath = temporary;
    client.ignoreCertificateErrors = settings.insecureTls;
    client.caFile = settings.caFile;
    double reported = 0.0;
    client.onBodyProgress = [&](uint64_t bytes) {
        // The body of an error page is no progress of the package.
        if (client.contentLength == 0 || !client.statusCode.starts_with('2')) return;
        const double fraction = std::min(1.0, double(bytes) / double(client.contentLength));
        if (fraction - reported >= kProgressStep || (fraction == 1.0 && reported < 1.0)) {
            reported = fraction;
            Send(DL_CODE_PROGRESS, fraction, "");
        }
    };

    const bool received = client.SendHttpRequest("GET");
    const int status = received ? std::atoi(client.statusCode.c_str()) : 0;
    if (!received || status < 200 || status > 299) {
        // A failed request or an error page: whatever arrived is not the package.
        ::unlink(temporary.c_str());
        failure = received ? status : client.lastErrorCode;
        DEBUG_LOG("WinHttpDownLoader status=%s error=%u", client.statusCode.c_str(),
                  client.lastErrorCode);
        return false;
    }
    if (client.contentLength != 0 && client.bodyBytes != client.contentLength) {
        ::unlink(temporary.c_str());
        failure = WinHttpClient::kErrorConnectionError;
        DEBUG_LOG("WinHttpDownLoader got %llu of %llu bytes",
                  static_cast<unsigned long long>(client.bodyBytes),
                  static_cast<unsigned long long>(client.contentLength));
        return false;
    }
    if (std::rename(temporary.c_str(), filePath.c_str()) != 0) {
        failure = errno;
        DEBUG_LOG("WinHttpDownLoader cannot replace %s: errno %d", filePath.c_str(), errno);
        ::unlink(temporary.c_str());
        return false;
    }
    finalUrl = client.finalUrl;
    return true;
}
