#include "platform/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr double kTwoTo53 = 9007199254740992.0;

struct FormatCase {
    double value;
    std::string_view expected;
};

void expectFormats(std::string_view pattern, std::initializer_list<FormatCase> cases) {
    for (const FormatCase& row : cases) {
        EXPECT_EQ(formatNumber(row.value, pattern), row.expected)
            << "value " << row.value << " with \"" << pattern << '"';
    }
}

TEST(FormatNumber, TotalsInKbAreWholeGroupedNumbers) {
    expectFormats("###,###,###,###,##0 KB", {
                                                {0, "0 KB"},
                                                {1'536'000.0 / 1024, "1,500 KB"},
                                                {999, "999 KB"},
                                                {1000, "1,000 KB"},
                                                {0.4, "0 KB"},
                                                {0.5, "1 KB"},
                                                {1.5, "2 KB"},
                                                {2.5, "3 KB"},
                                                {999.5, "1,000 KB"},
                                                {999'999.4, "999,999 KB"},
                                                {1'234'567, "1,234,567 KB"},
                                                {2147483647.0 / 1024, "2,097,152 KB"},
                                                {-1'234'567, "-1,234,567 KB"},
                                                {-0.5, "-1 KB"},
                                                {-0.4, "0 KB"},
                                                {-0.0, "0 KB"},
                                                {kTwoTo53 - 1, "9,007,199,254,740,991 KB"},
                                                {kTwoTo53, "9,007,199,254,740,992 KB"},
                                                {-kTwoTo53, "-9,007,199,254,740,992 KB"},
                                                {1e20, "100,000,000,000,000,000,000 KB"},
                                            });
}

TEST(FormatNumber, RateLinesHaveTwoDecimalsAndGrouping) {
    expectFormats("###,###,###,###,#0.#0 Kb/S", {
                                                    {0, "0.00 Kb/S"},
                                                    {1, "1.00 Kb/S"},
                                                    {1.5, "1.50 Kb/S"},
                                                    {0.001, "0.00 Kb/S"},
                                                    {1e-300, "0.00 Kb/S"},
                                                    {0.125, "0.13 Kb/S"},
                                                    {0.375, "0.38 Kb/S"},
                                                    {3071.0 / 1024, "3.00 Kb/S"},
                                                    {1234.567, "1,234.57 Kb/S"},
                                                    {123'456'789.125, "123,456,789.13 Kb/S"},
                                                    {5'000'000.0 / 1024, "4,882.81 Kb/S"},
                                                    {-5'000'000.0 / 1024, "-4,882.81 Kb/S"},
                                                    {-0.004, "0.00 Kb/S"},
                                                    {-0.005, "-0.01 Kb/S"},
                                                    {kTwoTo53 / 1024, "8,796,093,022,208.00 Kb/S"},
                                                    {kTwoTo53, "9,007,199,254,740,992.00 Kb/S"},
                                                });
}

// The double nearest each of these lies just below the half, yet the number written is the
// half itself and rounds up, as a person rounding it by hand would.
TEST(FormatNumber, HalvesRoundAwayFromZeroOnTheWrittenNumber) {
    expectFormats("###,###,###,###,#0.#0 Kb/S", {
                                                    {2.675, "2.68 Kb/S"},
                                                    {1.005, "1.01 Kb/S"},
                                                    {0.285, "0.29 Kb/S"},
                                                    {-2.675, "-2.68 Kb/S"},
                                                    {999'999.995, "1,000,000.00 Kb/S"},
                                                    {2.674999, "2.67 Kb/S"},
                                                });
}

TEST(FormatNumber, GraphPointTextHasNoSuffix) {
    expectFormats("###,###,###,###,#0.#0", {
                                               {0, "0.00"},
                                               {3071.0 / 1024, "3.00"},
                                               {3070.0 / 1024, "3.00"},
                                               {3065.0 / 1024, "2.99"},
                                               {1048575.0 / 1024, "1,024.00"},
                                               {-1.0 / 1024, "0.00"},
                                               {-6.0 / 1024, "-0.01"},
                                               {kTwoTo53, "9,007,199,254,740,992.00"},
                                           });
}

TEST(FormatNumber, CurrentBytesAreWholeAndUngrouped) {
    expectFormats("0 BS ", {
                               {0, "0 BS "},
                               {1, "1 BS "},
                               {1023, "1023 BS "},
                               {0.5, "1 BS "},
                               {-1, "-1 BS "},
                               {-1023, "-1023 BS "},
                               {-2147483648.0, "-2147483648 BS "},
                               {kTwoTo53, "9007199254740992 BS "},
                           });
}

TEST(FormatNumber, CurrentKilobytesHaveTwoDecimalsUngrouped) {
    expectFormats("0.#0 KBS ", {
                                   {1024.0 / 1024, "1.00 KBS "},
                                   {1025.0 / 1024, "1.00 KBS "},
                                   {1029.0 / 1024, "1.00 KBS "},
                                   {1030.0 / 1024, "1.01 KBS "},
                                   {1536.0 / 1024, "1.50 KBS "},
                                   {0.995, "1.00 KBS "},
                                   {5'000'000.0 / 1024, "4882.81 KBS "},
                                   {2147483647.0 / 1024, "2097152.00 KBS "},
                                   {-1, "-1.00 KBS "},
                                   {-2147483648.0 / 1024, "-2097152.00 KBS "},
                                   {kTwoTo53, "9007199254740992.00 KBS "},
                               });
}

TEST(FormatNumber, FollowsTheGeneralPatternRules) {
    EXPECT_EQ(formatNumber(5, "000"), "005");
    EXPECT_EQ(formatNumber(1234, "#"), "1234");
    EXPECT_EQ(formatNumber(0, "#"), "");
    EXPECT_EQ(formatNumber(0.5, "#.##"), ".5");
    EXPECT_EQ(formatNumber(0.5, ".00"), ".50");
    EXPECT_EQ(formatNumber(1, "0.##"), "1.");
    EXPECT_EQ(formatNumber(1.25, "0.0#"), "1.25");
    EXPECT_EQ(formatNumber(1.2, "0.0#"), "1.2");
    EXPECT_EQ(formatNumber(1234567.891, "$#,##0.00"), "$1,234,567.89");
    EXPECT_EQ(formatNumber(-7, "[0]"), "-[7]");
    EXPECT_EQ(formatNumber(1234, "0, x"), "1234, x");
    EXPECT_EQ(formatNumber(1234, "0 and 0"), "1234 and 0");
    EXPECT_EQ(formatNumber(1234, "KB"), "KB");
}

TEST(FormatNumber, NonFiniteValuesAreNamedNotMisread) {
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(formatNumber(infinity, "0 BS "), "Infinity BS ");
    EXPECT_EQ(formatNumber(-infinity, "0.#0 KBS "), "-Infinity KBS ");
    EXPECT_EQ(formatNumber(std::nan(""), "###,###,###,###,#0.#0"), "NaN");
    EXPECT_EQ(readGroupedNumber(formatNumber(infinity, "###,###,###,###,#0.#0")), std::nullopt);
}

TEST(ReadGroupedNumber, ReadsGroupedAndPlainNumbers) {
    const struct {
        std::string_view text;
        double expected;
    } cases[] = {
        {"1,234.57", 1234.57},
        {"-1,234", -1234},
        {"0", 0},
        {"3.00", 3},
        {"0.00", 0},
        {"1,234,567", 1'234'567},
        {"12,34", 1234},
        {"9,007,199,254,740,992.00", kTwoTo53},
        {" 12 ", 12},
        {"+5", 5},
        {".5", 0.5},
        {"5.", 5},
        {"-0.01", -0.01},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(readGroupedNumber(row.text), std::optional<double>(row.expected))
            << '"' << row.text << '"';
    }
}

TEST(ReadGroupedNumber, RefusesTextThatIsNoNumber) {
    for (const std::string_view text :
         {"",      "   ",   "abc",   "1,234abc", ",123", "123,",     "1,,234",
          "-,1",   "1.2.3", "1.2,3", "-",        ".",    "+-1",      "--1",
          "1 234", "1e5",   "NaN",   "Infinity", "0x10", "3.00 Kb/S"}) {
        EXPECT_EQ(readGroupedNumber(text), std::nullopt) << '"' << text << '"';
    }
}

// A graph point is the average in KB formatted with two decimals and read back; every
// kilobyte fraction the monitor can produce must come back rounded to the nearest hundredth.
TEST(ReadGroupedNumber, ReadsBackEveryFormattedKilobyteValue) {
    for (long bytes = -3'000'000; bytes <= 3'000'000; bytes += 13) {
        const double kilobytes = static_cast<double>(bytes) / 1024;
        const std::string text = formatNumber(kilobytes, "###,###,###,###,#0.#0");
        const double hundredths = std::round(kilobytes * 100);
        ASSERT_EQ(readGroupedNumber(text), std::optional<double>(hundredths / 100)) << text;
    }
}

TEST(ReadGroupedNumber, AnAverageOf3071BytesGivesThreeNotTwo) {
    const auto readBack = readGroupedNumber(formatNumber(3071.0 / 1024, "###,###,###,###,#0.#0"));
    ASSERT_TRUE(readBack.has_value());
    EXPECT_EQ(std::floor(*readBack), 3);
}

}  // namespace
