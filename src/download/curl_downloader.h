#pragma once

#include <string>

#include "app/install_events.h"
#include "download/curl_client.h"
#include "download/download_settings.h"
#include "download/downloader.h"
#include "download/run_thread.h"

// The default downloader: one libcurl stream through a CurlClient. A run
// repeats the client's attempts within a budget (a dropped transfer, code 18,
// costs 1 of 12 points, any other failure 2), checks the package's MD5
// against the final URL's digest folder, and asks once per downloader for a
// restart when the digests differ.
class CCurlDownloader : public CDownloader {
  public:
    static constexpr int kRetryBudget = 12;

    CCurlDownloader(EventCallback callback, std::string url, std::string filePath,
                    DownloadSettings settings = DownloadSettings::FromConfig());
    ~CCurlDownloader();

    void Start() override;

    // Waits until no run is going on; for programs and tests that end after
    // the final event.
    void Wait() { thread.Wait(); }

  private:
    static void OnProgress(void* owner, double speed, double reserved, double percent);
    void dlThreadFun();
    void Send(int32_t code, double value, std::string_view text);

    EventCallback callback;
    std::string filePath;
    std::string url;
    CurlClient client;
    RunThread thread;
    bool retried = false;
};
