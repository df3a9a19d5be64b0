#pragma once

#include <cstdint>

namespace platform {

// Milliseconds of a monotonic clock, wrapping at 2^32 like a system tick count.
uint32_t TickCountMs();

struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
};

LocalTime NowLocal();

}  // namespace platform
