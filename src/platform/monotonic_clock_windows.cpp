#include <windows.h>

#include "platform/monotonic_clock.h"
#include "time/monotonic_clock_scaling.h"

namespace {

// The performance counter's frequency is fixed at boot, so it is asked for once. The query
// cannot fail since Windows XP; a zero frequency would still not be divided by.
class PerformanceCounterClock final : public MonotonicClock {
  public:
    PerformanceCounterClock() {
        LARGE_INTEGER frequency{};
        if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
            ticksPerSecond_ = frequency.QuadPart;
        }
    }

    std::int64_t nowNanoseconds() const override {
        LARGE_INTEGER counter{};
        QueryPerformanceCounter(&counter);
        return ticksToNanoseconds(counter.QuadPart, ticksPerSecond_);
    }

  private:
    std::int64_t ticksPerSecond_ = 1;
};

}  // namespace

std::unique_ptr<MonotonicClock> makeSystemMonotonicClock() {
    return std::make_unique<PerformanceCounterClock>();
}
