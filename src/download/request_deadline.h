#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <gio/gio.h>

// Cancels a blocking request step that takes too long. libsoup has a single
// I/O timeout per session, while a request has separate limits for resolving,
// connecting, sending and receiving; the client arms the limit of the step it
// is in, and a thread of this class cancels the step's GCancellable when the
// limit passes first.
class RequestDeadline {
  public:
    RequestDeadline();
    ~RequestDeadline();
    RequestDeadline(const RequestDeadline&) = delete;
    RequestDeadline& operator=(const RequestDeadline&) = delete;

    // From now on, `cancellable` is cancelled unless Arm or Disarm is called
    // again within `milliseconds`; 0 means no limit.
    void Arm(GCancellable* cancellable, unsigned milliseconds);
    void Disarm();

    // Whether the last armed limit has passed and cancelled its step.
    bool Expired() const;

  private:
    void Watch();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    GCancellable* cancellable_ = nullptr;  // owned reference while armed
    std::chrono::steady_clock::time_point due_;
    bool expired_ = false;
    bool stopping_ = false;
    std::thread watcher_;
};
