#include <time.h>

#include "platform/monotonic_clock.h"

namespace {

class LinuxMonotonicClock final : public MonotonicClock {
  public:
    std::int64_t nowNanoseconds() const override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    }
};

}  // namespace

std::unique_ptr<MonotonicClock> makeSystemMonotonicClock() {
    return std::make_unique<LinuxMonotonicClock>();
}
