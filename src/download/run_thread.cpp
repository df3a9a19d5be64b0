#include "download/run_thread.h"

#include "platform/process_info.h"

RunThread::~RunThread() {
    Wait();
}

void RunThread::Start(std::function<void()> body) {
    std::unique_ptr<Utils::Thread> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::move(current_);
        ++active_;
    }
    std::shared_ptr<Utils::Thread> handedOver;
    if (previous) {
        if (previous->Id() == platform::CurrentThreadId()) {
            handedOver = std::move(previous);
        } else {
            previous->Join();
            previous.reset();
        }
    }
    auto thread = std::make_unique<Utils::Thread>(
        "ABDEF", [this, handedOver = std::move(handedOver), body = std::move(body)] {
            if (handedOver) handedOver->Join();
            body();
            {
                std::lock_guard lock(mutex_);
                --active_;
            }
            idle_.notify_all();
        });
    Utils::Thread* started = thread.get();
    {
        std::lock_guard lock(mutex_);
        current_ = std::move(thread);
    }
    if (started->Id() == Utils::Thread::kNoId) {
        // The system gave us no thread: this run never happens.
        std::lock_guard lock(mutex_);
        --active_;
        idle_.notify_all();
        return;
    }
    started->Resume();
}

void RunThread::Wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return active_ == 0; });
    if (current_) current_->Join();
}
