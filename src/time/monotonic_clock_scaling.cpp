#include "time/monotonic_clock_scaling.h"

std::int64_t ticksToNanoseconds(std::int64_t ticks, std::int64_t ticksPerSecond) {
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    const std::int64_t seconds = ticks / ticksPerSecond;
    const std::int64_t remainder = ticks % ticksPerSecond;
    return seconds * kNanosecondsPerSecond + remainder * kNanosecondsPerSecond / ticksPerSecond;
}
