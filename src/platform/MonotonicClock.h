#pragma once

#include <chrono>
#include <cstdint>

namespace pvstim {

// The clock the platform's monotonic time and every timer deadline are read on.
// The timerfd timers rely on it being CLOCK_MONOTONIC, which steady_clock reads
// on Linux.
using MonotonicClock = std::chrono::steady_clock;

inline std::int64_t nsSince(MonotonicClock::time_point origin)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(MonotonicClock::now() - origin).count();
}

}  // namespace pvstim
