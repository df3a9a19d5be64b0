#pragma once

#include <cstdint>

#include "platform/clock.h"

// Seconds since a start tick, for the download speed shown beside the bar.
class ElapsedClock {
public:
    void Start() { StartAt(platform::TickCountMs()); }
    void StartAt(uint32_t tick) {
        startTick_ = tick;
        started_ = true;
    }
    bool Started() const { return started_; }

    // Seconds since the start (the tick difference wraps like the system
    // tick count), 0 before the start.
    float Seconds() const { return SecondsAt(platform::TickCountMs()); }
    float SecondsAt(uint32_t now) const {
        return started_ ? static_cast<float>(now - startTick_) / 1000.0f : 0.0f;
    }

private:
    uint32_t startTick_ = 0;
    bool started_ = false;
};
