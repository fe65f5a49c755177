#include "text/number_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace {

constexpr double kTwoTo53 = 9007199254740992.0;

// Halves round away from zero on the written number: the double nearest 2.675 lies just below
// the half, yet a person rounding "2.675" by hand writes 2.68. A value that rounds to zero
// carries no minus sign.
TEST(FormatNumber, WritesEachPatternInUse) {
    EXPECT_EQ(formatNumber(-1e6, "###,###,###,###,##0 KB"), "-1,000,000 KB");
    EXPECT_EQ(formatNumber(2.675, "###,###,###,###,#0.#0 Kb/S"), "2.68 Kb/S");
    EXPECT_EQ(formatNumber(-999'999.995, "###,###,###,###,#0.#0"), "-1,000,000.00");
    EXPECT_EQ(formatNumber(0.5, "0 BS "), "1 BS ");
    EXPECT_EQ(formatNumber(-0.004, "0.#0 KBS "), "0.00 KBS ");
}

TEST(ReadGroupedNumber, ReadsGroupedNumbersAndRefusesAnythingElse) {
    EXPECT_EQ(readGroupedNumber("1,234.57"), 1234.57);
    EXPECT_EQ(readGroupedNumber(" -9,007,199,254,740,992.00 "), -kTwoTo53);
    for (const std::string_view text : {"", "1,234abc", ",123", "123,", "1,,234", "1.2.3", "--1",
                                        "1e5", "Infinity", "3.00 Kb/S"}) {
        EXPECT_EQ(readGroupedNumber(text), std::nullopt) << '"' << text << '"';
    }
}

}  // namespace
