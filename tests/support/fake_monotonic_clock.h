// A monotonic clock that moves only when a test advances it.
#pragma once

#include <cstdint>

#include "platform/monotonic_clock.h"

class FakeMonotonicClock final : public MonotonicClock {
  public:
    explicit FakeMonotonicClock(std::int64_t startNanoseconds = 0);

    std::int64_t nowNanoseconds() const override;
    void advanceMilliseconds(std::int64_t milliseconds);

  private:
    std::int64_t now_;
};
