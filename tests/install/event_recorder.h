#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/install_events.h"

// One event as a worker raised it.
struct RecordedEvent {
    int32_t code;
    double value;
    std::string text;
    bool operator==(const RecordedEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RecordedEvent& event) {
    return out << "{" << event.code << ", " << event.value << ", \"" << event.text << "\"}";
}

// Collects the events a worker raises on its own thread.
class EventRecorder {
  public:
    EventCallback Callback() {
        return [this](int32_t code, double value, std::string_view text) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                events_.push_back(RecordedEvent{code, value, std::string(text)});
            }
            added_.notify_all();
        };
    }
    // Waits until an event with one of the codes has come; false on timeout.
    bool WaitFor(std::initializer_list<int32_t> codes,
                 std::chrono::seconds timeout = std::chrono::seconds(30)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return added_.wait_for(lock, timeout, [&] {
            for (const RecordedEvent& event : events_) {
                for (const int32_t code : codes) {
                    if (event.code == code) return true;
                }
            }
            return false;
        });
    }
    // The codes in the order they came.
    std::vector<int32_t> Codes() {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<int32_t> codes;
        for (const RecordedEvent& event : events_) codes.push_back(event.code);
        return codes;
    }
    std::vector<RecordedEvent> Events() {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable added_;
    std::vector<RecordedEvent> events_;
};
