#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "app/thread.h"

// The thread that carries a downloader's runs, one at a time. A new run waits
// for the previous one to end, except when it is started from that very run
// (a downloader asks for a restart, and the handler starts it again from
// inside the event callback): then the caller must not wait for itself, so
// the old thread is handed to the new run, which joins it before it begins.
class RunThread {
  public:
    RunThread() = default;
    ~RunThread();
    RunThread(const RunThread&) = delete;
    RunThread& operator=(const RunThread&) = delete;

    // Begins a run of `body` on a new thread named "ABDEF"; returns at once.
    void Start(std::function<void()> body);

    // Waits until no run is going on and its thread has ended. Not for use
    // from inside a run.
    void Wait();

  private:
    std::mutex mutex_;
    std::condition_variable idle_;
    int active_ = 0;  // runs started and not yet finished
    std::unique_ptr<Utils::Thread> current_;
};
