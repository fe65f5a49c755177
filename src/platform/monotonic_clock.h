// A clock that only moves forward, for measuring how long something took.
#pragma once

#include <cstdint>
#include <memory>

class MonotonicClock {
  public:
    MonotonicClock() = default;
    MonotonicClock(const MonotonicClock&) = delete;
    MonotonicClock& operator=(const MonotonicClock&) = delete;
    virtual ~MonotonicClock() = default;

    // Nanoseconds since a fixed but arbitrary start; a later read never gives less.
    virtual std::int64_t nowNanoseconds() const = 0;
};

// The system's monotonic clock (CLOCK_MONOTONIC on Linux, the performance counter on Windows).
std::unique_ptr<MonotonicClock> makeSystemMonotonicClock();
