#include "platform/number_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr double kTwoTo53 = 9007199254740992.0;

void expectFormats(std::string_view pattern,
                   std::initializer_list<std::pair<double, std::string_view>> cases) {
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(formatNumber(value, pattern), expected) << value << " with \"" << pattern << '"';
    }
}

// Halves round away from zero on the written number: the double nearest 2.675 lies just below
// the half, yet a person rounding "2.675" by hand writes 2.68. A value that rounds to zero
// carries no minus sign.
TEST(FormatNumber, TotalsInKbAreWholeGroupedNumbers) {
    expectFormats("###,###,###,###,##0 KB", {{0, "0 KB"}, {2.5, "3 KB"}, {-1e6, "-1,000,000 KB"}});
}

TEST(FormatNumber, RateLinesHaveTwoDecimalsAndGrouping) {
    expectFormats(
        "###,###,###,###,#0.#0 Kb/S",
        {{-0.004, "0.00 Kb/S"}, {2.675, "2.68 Kb/S"}, {-999'999.995, "-1,000,000.00 Kb/S"}});
}

TEST(FormatNumber, GraphPointTextHasNoSuffix) {
    expectFormats("###,###,###,###,#0.#0",
                  {{0, "0.00"}, {3071.0 / 1024, "3.00"}, {-6.0 / 1024, "-0.01"}});
}

TEST(FormatNumber, CurrentBytesAreWholeAndUngrouped) {
    expectFormats("0 BS ", {{0, "0 BS "}, {0.5, "1 BS "}, {-1023, "-1023 BS "}});
}

TEST(FormatNumber, CurrentKilobytesHaveTwoDecimalsUngrouped) {
    expectFormats("0.#0 KBS ",
                  {{0, "0.00 KBS "}, {1030.0 / 1024, "1.01 KBS "}, {-5e6 / 1024, "-4882.81 KBS "}});
}

TEST(FormatNumber, EveryPatternWritesEachDigitOfTwoToThe53) {
    expectFormats("###,###,###,###,##0 KB", {{kTwoTo53, "9,007,199,254,740,992 KB"}});
    expectFormats("###,###,###,###,#0.#0 Kb/S", {{kTwoTo53, "9,007,199,254,740,992.00 Kb/S"}});
    expectFormats("###,###,###,###,#0.#0", {{kTwoTo53, "9,007,199,254,740,992.00"}});
    expectFormats("0 BS ", {{kTwoTo53, "9007199254740992 BS "}});
    expectFormats("0.#0 KBS ", {{kTwoTo53, "9007199254740992.00 KBS "}});
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
