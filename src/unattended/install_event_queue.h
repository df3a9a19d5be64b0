#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

#include "app/install_events.h"

// Carries the workers' events to the thread that acts on them, in the order
// they were sent: the unattended mode's counterpart of the window's message
// queue.
class InstallEventQueue {
public:
    struct Event {
        int32_t code;
        double value;
        std::string text;
    };

    // The callback to hand to the orchestrator; it copies each event in.
    EventCallback Poster() {
        return [this](int32_t code, double value, std::string_view text) {
            {
                std::lock_guard lock(mutex_);
                events_.push_back(Event{code, value, std::string(text)});
            }
            ready_.notify_one();
        };
    }

    // Waits for the next event, at most the given time; false when none came.
    template <typename Duration>
    bool Pop(Event& event, Duration timeout) {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, timeout, [this] { return !events_.empty(); })) return false;
        event = std::move(events_.front());
        events_.pop_front();
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Event> events_;
};
