#include "platform/automation_date.h"

#include <gtest/gtest.h>

#include <utility>

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

}  // namespace
