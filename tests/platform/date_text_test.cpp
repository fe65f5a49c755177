#include "platform/date_text.h"

#include <gtest/gtest.h>

#include "platform/automation_date.h"

namespace {

struct ValidText {
    const char* text;
    DateTimeFields fields;
};

TEST(DateText, ReadsTheComposedText) {
    const ValidText valid[] = {
        {"2026/12/5 23:59", {2026, 12, 5, 23, 59, 0}},
        {"2026/1/1 0:00", {2026, 1, 1, 0, 0, 0}},
        {"2026/01/05 07:05", {2026, 1, 5, 7, 5, 0}},
        {"2024/2/29 12:30", {2024, 2, 29, 12, 30, 0}},
        {"2000/2/29 0:0", {2000, 2, 29, 0, 0, 0}},
        {"2026/4/30 23:59", {2026, 4, 30, 23, 59, 0}},
        {"2026/12/31 23:59", {2026, 12, 31, 23, 59, 0}},
        {"100/1/1 0:00", {100, 1, 1, 0, 0, 0}},
        {"9999/12/31 23:59", {9999, 12, 31, 23, 59, 0}},
        {"02026/12/5 23:59", {2026, 12, 5, 23, 59, 0}},
    };
    for (const ValidText& entry : valid) {
        SCOPED_TRACE(entry.text);
        const std::optional<double> date = textToDate(entry.text);
        ASSERT_TRUE(date.has_value());
        EXPECT_EQ(fieldsOfAutomationDate(*date), entry.fields);
        EXPECT_EQ(date, automationDateFromFields(entry.fields));
    }
}

TEST(DateText, RefusesWhatIsNoDateAndTime) {
    const char* const invalid[] = {
        "2026/13/1 0:00",        // month 13
        "2026/0/1 0:00",         // month 0
        "2026/2/30 0:00",        // 30 February
        "2023/2/29 0:00",        // 29 February, not a leap year
        "1900/2/29 0:00",        // a century that is not a leap year
        "2026/4/31 0:00",        // April has 30 days
        "2026/1/0 0:00",         // day 0
        "2026/1/1 24:00",        // hour 24
        "2026/1/1 23:60",        // minute 60
        "2026/Dec/1 0:00",       // letters
        "abc/1/1 0:00",          // letters
        "2026/1/1 0:0a",         // trailing letter
        "/1/1 0:00",             // empty year
        "2026//1 0:00",          // empty month
        "2026/1/ 0:00",          // empty day
        "2026/1/1 :00",          // empty hour
        "2026/1/1 0:",           // empty minute
        "// :",                  // every field empty
        "",                      // nothing
        "2026/1/1",              // no time
        "2026/1/1 0",            // no minute
        "2026/1 0:00",           // no day
        "26/1/1 0:00",           // two-digit year
        "99/12/31 23:59",        // two-digit year
        "10000/1/1 0:00",        // year after 9999
        "2026-1-1 0:00",         // other separators
        "2026.1.1 0:00",         // other separators
        "2026/1/1 0.00",         // other separators
        "2026/1/1  0:00",        // two blanks
        " 2026/1/1 0:00",        // leading blank
        "2026/1/1 0:00 ",        // trailing blank
        "2026/ 1/1 0:00",        // blank inside a field
        "2026/1/1 0:00:00",      // seconds
        "+2026/1/1 0:00",        // sign
        "2026/-1/1 0:00",        // sign
        "２０２６/1/1 0:00",     // full-width digits
        "99999999999/1/1 0:00",  // too long to be a number
    };
    for (const char* text : invalid) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(textToDate(text).has_value());
    }
}

}  // namespace
