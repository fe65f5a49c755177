#include "platform/automation_date.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

struct KnownDate {
    DateTimeFields fields;
    double serial;
};

// Serials every spreadsheet and automation client agrees on, including the first and last
// day and the backward-counted days before 30 December 1899.
const KnownDate kKnownDates[] = {
    {{1899, 12, 30, 0, 0, 0}, 0.0},
    {{1899, 12, 31, 12, 0, 0}, 1.5},
    {{1900, 1, 1, 0, 0, 0}, 2.0},
    {{2000, 1, 1, 0, 0, 0}, 36526.0},
    {{2026, 12, 5, 18, 0, 0}, 46361.75},
    {{1899, 12, 29, 6, 0, 0}, -1.25},
    {{1800, 1, 1, 12, 0, 0}, -36522.5},
    {{100, 1, 1, 0, 0, 0}, -657434.0},
    {{9999, 12, 31, 23, 59, 59}, 2958465.0 + 86399.0 / 86400.0},
};

TEST(AutomationDate, KnownDatesHaveTheirSerials) {
    for (const KnownDate& known : kKnownDates) {
        SCOPED_TRACE(known.serial);
        EXPECT_EQ(automationDateFromFields(known.fields), known.serial);
        EXPECT_EQ(fieldsOfAutomationDate(known.serial), known.fields);
    }
}

TEST(AutomationDate, EverySecondOfADayReadsBackExactly) {
    double previous = 0;
    for (int second = 0; second < 86400; ++second) {
        const DateTimeFields fields{2026, 12, 31, second / 3600, second / 60 % 60, second % 60};
        const std::optional<double> date = automationDateFromFields(fields);
        ASSERT_TRUE(date.has_value());
        ASSERT_EQ(fieldsOfAutomationDate(*date), fields);
        ASSERT_LT(previous, *date);
        previous = *date;
        // Before day zero the time of day counts forwards from a day counted backwards.
        const DateTimeFields beforeDayZero{1899, 12, 29, fields.hour, fields.minute, fields.second};
        ASSERT_EQ(fieldsOfAutomationDate(automationDateFromFields(beforeDayZero).value()),
                  beforeDayZero);
    }
}

TEST(AutomationDate, ReadsToTheNearestSecond) {
    const DateTimeFields lastSecond{2026, 12, 31, 23, 59, 59};
    const double date = automationDateFromFields(lastSecond).value();
    const double almostHalfASecond = 0.4 / 86400;
    EXPECT_EQ(fieldsOfAutomationDate(date - almostHalfASecond), lastSecond);
    EXPECT_EQ(fieldsOfAutomationDate(date + almostHalfASecond), lastSecond);
    EXPECT_EQ(fieldsOfAutomationDate(date + 0.6 / 86400), (DateTimeFields{2027, 1, 1, 0, 0, 0}));
}

TEST(AutomationDate, ImpossibleFieldsHaveNoDate) {
    const DateTimeFields impossible[] = {
        {2026, 0, 1, 0, 0, 0},  {2026, 13, 1, 0, 0, 0},  {2026, 1, 0, 0, 0, 0},
        {2026, 1, 32, 0, 0, 0}, {2026, 2, 30, 0, 0, 0},  {2023, 2, 29, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0}, {2026, 4, 31, 0, 0, 0},  {2026, 1, 1, 24, 0, 0},
        {2026, 1, 1, 0, 60, 0}, {2026, 1, 1, 0, 0, 60},  {2026, 1, 1, -1, 0, 0},
        {2026, 1, 1, 0, -1, 0}, {2026, 1, 1, 0, 0, -1},  {99, 12, 31, 23, 59, 59},
        {10000, 1, 1, 0, 0, 0}, {2026, 1, 257, 0, 0, 0}, {2026, -1, 1, 0, 0, 0},
    };
    for (const DateTimeFields& fields : impossible) {
        SCOPED_TRACE(::testing::Message()
                     << fields.year << '/' << fields.month << '/' << fields.day << ' '
                     << fields.hour << ':' << fields.minute << ':' << fields.second);
        EXPECT_FALSE(automationDateFromFields(fields).has_value());
    }
}

TEST(AutomationDate, AddingSecondsCrossesDaysMonthsYearsAndDayZero) {
    struct Step {
        DateTimeFields from;
        long long seconds;
        DateTimeFields to;
    };
    const Step steps[] = {
        {{2026, 12, 31, 23, 59, 56}, 4, {2027, 1, 1, 0, 0, 0}},
        {{2024, 2, 28, 23, 59, 30}, 60, {2024, 2, 29, 0, 0, 30}},
        {{2023, 2, 28, 23, 59, 30}, 60, {2023, 3, 1, 0, 0, 30}},
        {{2027, 1, 1, 0, 0, 0}, -1, {2026, 12, 31, 23, 59, 59}},
        {{1899, 12, 30, 0, 0, 0}, -1, {1899, 12, 29, 23, 59, 59}},
        {{1899, 12, 29, 23, 59, 59}, 1, {1899, 12, 30, 0, 0, 0}},
        {{1899, 12, 29, 6, 0, 0}, 86400 * 2, {1899, 12, 31, 6, 0, 0}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.seconds);
        const double from = automationDateFromFields(step.from).value();
        EXPECT_EQ(fieldsOfAutomationDate(addSeconds(from, step.seconds)), step.to);
        EXPECT_EQ(addSeconds(from, step.seconds), automationDateFromFields(step.to));
    }
}

TEST(AutomationDate, LocalTimeOfTheCLibrary) {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 5;
    local.tm_hour = 23;
    local.tm_min = 59;
    local.tm_sec = 60;
    EXPECT_EQ(fieldsOfAutomationDate(automationDateOfLocalTime(local)),
              (DateTimeFields{2026, 12, 5, 23, 59, 59}));
    local.tm_year = 10000 - 1900;
    EXPECT_EQ(automationDateOfLocalTime(local), 0);
}

}  // namespace
