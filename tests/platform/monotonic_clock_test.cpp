#include "platform/monotonic_clock_scaling.h"

#include <gtest/gtest.h>

namespace {

// Multiplying the count by 10^9 first would overflow after about 15 minutes at 10 MHz.
TEST(TicksToNanoseconds, ScalesExactlyWithoutOverflowAfterYearsOfUptime) {
    EXPECT_EQ(ticksToNanoseconds(2, 3'000'000'000), 0);
    EXPECT_EQ(ticksToNanoseconds(12'886'362'001, 3'579'545), 3'600'000'000'279);
    EXPECT_EQ(ticksToNanoseconds(3'153'600'000'000'001, 10'000'000), 315'360'000'000'000'100);
    EXPECT_EQ(ticksToNanoseconds(769'921'797'380'702, 2'441'406), 315'360'000'499'999'590);
}

}  // namespace
