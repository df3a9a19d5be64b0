#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

#include "download/download_settings.h"
#include "download/integrity_check.h"

// Receives the progress of a transfer: (owner, average speed in bytes per
// second, reserved (always 0), percent 0..100).
using ProgressSink = void (*)(void* owner, double speed, double reserved, double percent);

// One package download over libcurl. Each Start() is one attempt: it learns
// the final URL and the length once, refuses packages of unknown length or
// below 1 MiB, streams the body into "<package>.part" (resuming what an
// earlier attempt left there) and on success moves it onto the package path.
// It never retries and reports nothing but progress; its owner decides.
class CurlClient {
  public:
    static constexpr int32_t CURL_RESULT_FILE_OPEN = -996;
    static constexpr int32_t CURL_RESULT_NO_HANDLE = -997;
    static constexpr int32_t CURL_RESULT_TOO_SMALL = -998;
    static constexpr double kMinPackageLength = 1048576.0;

    CurlClient(std::string url, std::string filePath, void* owner, ProgressSink sink,
               DownloadSettings settings);
    ~CurlClient();
    CurlClient(const CurlClient&) = delete;
    CurlClient& operator=(const CurlClient&) = delete;

    // The package path, or the temporary path beside it when `part` is set.
    std::string GetFilePath(bool part) const;

    // One attempt; 0 when the package file is complete, else a libcurl code
    // or one of the CURL_RESULT_ values.
    int32_t Start();

    // Probes. Head returns the finished probe's handle (or null), which the
    // caller reads with GetRealUrl and GetDownloadFileLength and releases.
    CURL* Head(const std::string& url);
    static std::string GetRealUrl(CURL* handle);
    double GetDownloadFileLength(CURL* handle);
    std::string GetRealUrl_Str(const std::string& url);
    double GetDownloadFileLength_Str(const std::string& url);

    // The final URL after redirects, empty before the first probe.
    const std::string& RealUrl() const { return realUrl; }
    double FileLength() const { return fileLength; }
    const std::string& LastError() const { return lastError; }

    // MD5 of the package file after a successful Start(): the digest taken
    // while the bytes were stored, else the file read back; empty when the
    // file cannot be read.
    std::string PackageMd5();

  private:
    static int ProgressCallback(void* client, curl_off_t downloadTotal, curl_off_t downloadNow,
                                curl_off_t uploadTotal, curl_off_t uploadNow);
    static size_t WriteCallback(char* data, size_t size, size_t count, void* client);
    int32_t Transfer(const std::string& tempPath);

    std::string url;
    std::string filePath;
    void* owner;
    CURL* curl = nullptr;
    ProgressSink progressSink;
    double fileLength = -1.0;
    int64_t resumeFrom = -1;
    int64_t lastProgressTime = 0;
    std::atomic<bool> abort{false};
    std::string lastError;
    std::string realUrl;

    DownloadSettings settings;
    FILE* file = nullptr;
    Md5Digest digest;
    bool digestValid = false;  // `digest` covers the temporary file's bytes
    std::string streamedMd5;   // the digest of the last completed package
};
