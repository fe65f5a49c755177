// A monotonic clock that moves only when a test advances it.
#pragma once

#include <cstdint>

#include "platform/monotonic_clock.h"

class FakeMonotonicClock final : public MonotonicClock {
  public:
    explicit FakeMonotonicClock(std::int64_t startNanoseconds = 0) : now_(startNanoseconds) {}

    std::int64_t nowNanoseconds() const override { return now_; }
    void advanceMilliseconds(std::int64_t milliseconds) { now_ += milliseconds * 1'000'000; }
    void advanceNanoseconds(std::int64_t nanoseconds) { now_ += nanoseconds; }

  private:
    std::int64_t now_;
};
