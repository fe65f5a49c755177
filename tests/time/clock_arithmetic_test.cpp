// Clock arithmetic: automation dates and the scaling of the monotonic clock's ticks.
#include <gtest/gtest.h>

#include <utility>

#include "time/automation_date.h"
#include "time/monotonic_clock_scaling.h"

namespace {

// Before 30 December 1899 the day counts backwards while the time of day still counts
// forwards; the last second of 9999 is a fraction no double holds exactly.
TEST(AutomationDate, KnownDatesHaveTheirSerials) {
    const std::pair<DateTimeFields, double> known[] = {
        {{2026, 12, 5, 18, 0, 0}, 46361.75},
        {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{9999, 12, 31, 23, 59, 59}, 2958465.0 + 86399.0 / 86400.0}};
    for (const auto& [fields, serial] : known) {
        EXPECT_EQ(automationDateFromFields(fields), serial) << serial;
        EXPECT_EQ(fieldsOfAutomationDate(serial), fields) << serial;
    }
}

// Multiplying the count by 10^9 first would overflow after about 15 minutes at 10 MHz.
TEST(TicksToNanoseconds, ScalesExactlyWithoutOverflowAfterYearsOfUptime) {
    EXPECT_EQ(ticksToNanoseconds(2, 3'000'000'000), 0);
    EXPECT_EQ(ticksToNanoseconds(12'886'362'001, 3'579'545), 3'600'000'000'279);
    EXPECT_EQ(ticksToNanoseconds(3'153'600'000'000'001, 10'000'000), 315'360'000'000'000'100);
    EXPECT_EQ(ticksToNanoseconds(769'921'797'380'702, 2'441'406), 315'360'000'499'999'590);
}

}  // namespace
