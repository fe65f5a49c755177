#include "platform/number_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string_view>

#include "support/reference_number_text.h"

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

// Halves, carries across a power of ten, the ends of the ranges of int and of exact integers,
// the smallest and largest doubles, and values whose shortest text is shorter than the double.
TEST(FormatNumber, AgreesWithThePlainReferenceOnHardValues) {
    constexpr double kSmallest = std::numeric_limits<double>::denorm_min();
    constexpr double kLargest = std::numeric_limits<double>::max();
    const double hardValues[] = {
        0.0,      -0.0,          0.5,    -2.5,      0.125,         1.005,        2.675,
        -0.005,   3071.0 / 1024, 1023.5, 999.995,   9'999'999.995, 2147483648.0, -2147483648.5,
        kTwoTo53, kTwoTo53 + 2,  1e23,   0.1 + 0.2, kSmallest,     kLargest};
    for (const double value : hardValues) {
        for (const std::string_view pattern : kPatternsInUse) {
            EXPECT_EQ(formatNumber(value, pattern), referenceNumberText(value, pattern)) << value;
        }
    }
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
