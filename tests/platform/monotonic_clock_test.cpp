#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "platform/monotonic_clock.h"
#include "platform/monotonic_clock_scaling.h"

namespace {

TEST(SystemMonotonicClock, NeverGoesBackwards) {
    const std::unique_ptr<MonotonicClock> clock = makeSystemMonotonicClock();
    std::int64_t previous = clock->nowNanoseconds();
    for (int read = 0; read < 1000; ++read) {
        const std::int64_t now = clock->nowNanoseconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

TEST(TicksToNanoseconds, ScalesExactlyAndCutsToTheNanosecondBelow) {
    const struct {
        std::int64_t ticks;
        std::int64_t ticksPerSecond;
        std::int64_t expected;
    } cases[] = {
        {0, 10'000'000, 0},
        {1, 10'000'000, 100},
        {10'000'000, 10'000'000, 1'000'000'000},
        {1, 3'000'000'000, 0},
        {2, 3'000'000'000, 0},
        {3, 3'000'000'000, 1},
        {12'886'362'001, 3'579'545, 3'600'000'000'279},
        {1'000'000'007, 1'000'000'000, 1'000'000'007},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(ticksToNanoseconds(row.ticks, row.ticksPerSecond), row.expected)
            << row.ticks << " ticks at " << row.ticksPerSecond << " per second";
    }
}

// Multiplying the count by 10^9 first would overflow after about 15 minutes at 10 MHz.
TEST(TicksToNanoseconds, DoesNotOverflowAfterYearsOfUptime) {
    constexpr std::int64_t kTenYearsAt10MHz = 10'000'000LL * 86'400 * 365 * 10;
    EXPECT_EQ(ticksToNanoseconds(kTenYearsAt10MHz + 1, 10'000'000), 315'360'000'000'000'100);
    EXPECT_EQ(ticksToNanoseconds(769'921'797'380'702, 2'441'406), 315'360'000'499'999'590);
    constexpr std::int64_t kNinetyYearsAt3GHz = 3'000'000'000LL * 86'400 * 365 * 90;
    EXPECT_EQ(ticksToNanoseconds(kNinetyYearsAt3GHz + 2, 3'000'000'000), 2'838'240'000'000'000'000);
}

}  // namespace
