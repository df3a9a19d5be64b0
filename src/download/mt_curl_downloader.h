#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/install_events.h"
#include "download/download_part_node.h"
#include "download/download_settings.h"
#include "download/downloader.h"
#include "download/run_thread.h"

// The segmented downloader: probes the final URL, the length and the digest
// once, fetches the package as one range (below 20 MiB) or two ranges on
// threads of their own into part files "<package>_0" and "<package>_1",
// resumes part files from earlier runs, joins them into the package and
// checks its MD5. Each range retries by itself within a budget; a range or
// digest failure asks once per downloader for a complete restart.
class CMTCurlDownloader : public CDownloader {
  public:
    static constexpr int kRetryBudget = 12;

    CMTCurlDownloader(EventCallback callback, std::string url, std::string filePath,
                      DownloadSettings settings = DownloadSettings::FromConfig());
    ~CMTCurlDownloader();

    void Start() override;

    // Waits until no run is going on; for programs and tests that end after
    // the final event.
    void Wait() { thread.Wait(); }

    static std::string getPartPath(const std::string& filePath, int index);

  private:
    void Start_Down();
    bool getRealDownloadUrl(const std::string& probeUrl);
    void downloadThreadFun(DownloadPartNode* node);
    int32_t downloadExe(DownloadPartNode* node);
    void waitForFinishThreadFun();
    bool joinParts(std::string& md5);
    void deletePartFiles();
    void clearPartNodes();
    void Send(int32_t code, double value, std::string_view text);

    static size_t partWriteCallback(char* data, size_t size, size_t count, void* node);
    static size_t headerCallback(char* data, size_t size, size_t count, void* node);
    static int xferInfoCallback(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    bool AcceptAnswer(DownloadPartNode* node);

    std::vector<std::unique_ptr<DownloadPartNode>> parts;
    EventCallback callback;
    std::string filePath;
    std::string url;
    std::string realUrl;
    int64_t fileLength = -1;
    std::string expectedMd5;
    double lastPercent = 0.0;
    std::atomic<int32_t> runningParts{0};
    int64_t lastProgressTime = 0;
    bool retried = false;
    RunThread thread;

    DownloadSettings settings;
    std::mutex progressMutex;  // guards lastProgressTime and lastPercent during a run
};
