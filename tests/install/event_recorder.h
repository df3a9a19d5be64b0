#pragma once

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
            std::lock_guard<std::mutex> lock(mutex_);
            events_.push_back(RecordedEvent{code, value, std::string(text)});
        };
    }
    std::vector<RecordedEvent> Events() {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }

  private:
    std::mutex mutex_;
    std::vector<RecordedEvent> events_;
};
