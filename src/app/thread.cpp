#include "app/thread.h"

#include <system_error>

#include "app/debug_log.h"
#include "platform/process_info.h"
#include "platform/thread_name.h"

namespace Utils {

Thread::Thread(std::string name, std::function<void()> function)
    : name_(std::move(name)), function_(std::move(function)) {
    try {
        thread_ = std::thread(&Thread::CallBack, this);
    } catch (const std::system_error&) {
        return;  // no thread: Resume and Join do nothing
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return started_; });
}

Thread::~Thread() {
    Release(false);
    Join();
}

void Thread::Resume() { Release(true); }

void Thread::Release(bool run) {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        if (released_) return;
        released_ = true;
        run_ = run;
    }
    changed_.notify_all();
}

void Thread::Join() {
    if (!thread_.joinable()) return;
    thread_.join();
    id_ = kNoId;
}

void Thread::CallBack(Thread* self) {
    const uint32_t id = platform::CurrentThreadId();
    platform::SetCurrentThreadName(self->name_.empty() ? "t" + std::to_string(id) : self->name_);
    {
        std::unique_lock lock(self->mutex_);
        self->id_ = id;
        self->started_ = true;
        self->changed_.notify_all();
        self->changed_.wait(lock, [self] { return self->released_; });
        if (!self->run_) return;
    }
    DEBUG_LOG("THREAD BEGIN\r\n");
    self->function_();
    DEBUG_LOG("THREAD END\r\n");
}

}  // namespace Utils
