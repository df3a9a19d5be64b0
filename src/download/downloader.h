#pragma once

// What every downloader offers: Start() begins a run on a thread of the
// downloader and returns at once; everything else comes back through the
// EventCallback the downloader was built with. Downloaders live until the
// process ends, so they are never deleted through this interface.
class CDownloader {
  public:
    virtual void Start() = 0;

  protected:
    CDownloader() = default;
    ~CDownloader() = default;
    CDownloader(const CDownloader&) = delete;
    CDownloader& operator=(const CDownloader&) = delete;
};
