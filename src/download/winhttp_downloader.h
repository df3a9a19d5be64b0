#pragma once

#include <string>
#include <string_view>

#include "app/install_events.h"
#include "download/download_settings.h"
#include "download/downloader.h"
#include "download/run_thread.h"

// The downloader on the system's HTTP stack: each run makes one GET through a
// new WinHttpClient into a fresh temporary file, which replaces the package
// file only when the whole body of a successful response is in it. It reports
// like the libcurl downloaders: 1001 at the start of a run, 1002 from the
// bytes stored against the announced length, and one of 1003, 1004 or 1005 at
// the end; the package's MD5 is checked against the final URL's digest folder,
// with one restart per downloader for a mismatch.
class WinHttpDownloader : public CDownloader {
  public:
    WinHttpDownloader(EventCallback callback, std::string url, std::string filePath,
                      DownloadSettings settings = DownloadSettings::FromConfig());
    ~WinHttpDownloader();

    void Start() override;

    // Waits until no run is going on; for programs and tests that end after
    // the final event.
    void Wait() { thread.Wait(); }

    // The file the body is written to before it becomes the package.
    std::string TemporaryPath() const { return filePath + ".part"; }

  private:
    void Run();
    // Downloads into the package file. On failure, `failure` is the event
    // value: the HTTP status of an error page, else the client's error.
    bool Download(double& failure, std::string& finalUrl);
    void Send(int32_t code, double value, std::string_view text);

    EventCallback callback;
    std::string filePath;
    std::string url;
    DownloadSettings settings;
    RunThread thread;
    bool retried = false;
};
