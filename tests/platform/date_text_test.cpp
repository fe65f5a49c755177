#include "platform/date_text.h"

#include <gtest/gtest.h>

#include "platform/automation_date.h"

namespace {

// Two-digit years and any other separators or blanks are refused rather than guessed at.
TEST(DateText, ReadsOnlyTheComposedTextWithSecondsZero) {
    EXPECT_EQ(textToDate("2026/12/5 23:59"), automationDateFromFields({2026, 12, 5, 23, 59, 0}));
    EXPECT_EQ(textToDate("2024/02/29 07:05"), automationDateFromFields({2024, 2, 29, 7, 5, 0}));
    const char* const refused[] = {
        "2026/13/1 0:00",   "2026/2/30 0:00", "1900/2/29 0:00",    "",
        "2026/1/0 0:00",    "2026/1/1 24:00", "2026/1/1 23:60",    "2026/Dec/1 0:00",
        "/1/1 0:00",        "2026/1/1 0:",    "2026/1/1",          "26/1/1 0:00",
        "10000/1/1 0:00",   "2026-1-1 0:00",  "2026/1/1  0:00",    " 2026/1/1 0:00",
        "2026/1/1 0:00:00", "+2026/1/1 0:00", "２０２６/1/1 0:00", "99999999999/1/1 0:00"};
    for (const char* text : refused) {
        EXPECT_EQ(textToDate(text), std::nullopt) << text;
    }
}

}  // namespace
