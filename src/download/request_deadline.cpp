#include "download/request_deadline.h"

RequestDeadline::RequestDeadline() : watcher_([this] { Watch(); }) {}

RequestDeadline::~RequestDeadline() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    watcher_.join();
    if (cancellable_) g_object_unref(cancellable_);
}

void RequestDeadline::Arm(GCancellable* cancellable, unsigned milliseconds) {
    if (milliseconds == 0) {
        Disarm();
        return;
    }
    GCancellable* released = nullptr;
    {
        std::lock_guard lock(mutex_);
        released = cancellable_;
        cancellable_ = G_CANCELLABLE(g_object_ref(cancellable));
        due_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        expired_ = false;
    }
    changed_.notify_all();
    if (released) g_object_unref(released);
}

void RequestDeadline::Disarm() {
    GCancellable* released = nullptr;
    {
        std::lock_guard lock(mutex_);
        released = cancellable_;
        cancellable_ = nullptr;
    }
    changed_.notify_all();
    if (released) g_object_unref(released);
}

bool RequestDeadline::Expired() const {
    std::lock_guard lock(mutex_);
    return expired_;
}

void RequestDeadline::Watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!cancellable_) {
            changed_.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() < due_) {
            changed_.wait_until(lock, due_);
            continue;
        }
        // Cancelling under the lock keeps the cancellable alive and the
        // step it belongs to unchanged until it is done.
        g_cancellable_cancel(cancellable_);
        expired_ = true;
        g_object_unref(cancellable_);
        cancellable_ = nullptr;
    }
}
