#include "platform/leading_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct LeadingNumberCase {
    const char* name;
    std::string text;
    double expected;
};

void PrintTo(const LeadingNumberCase& row, std::ostream* out) {
    *out << '"' << row.text.substr(0, 40) << '"';
}

std::string caseName(const ::testing::TestParamInfo<LeadingNumberCase>& row) {
    return row.param.name;
}

class LeadingNumberTest : public ::testing::TestWithParam<LeadingNumberCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberTheTextBeginsWith) {
    EXPECT_EQ(readLeadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    PidTexts, LeadingNumberTest,
    ::testing::Values(LeadingNumberCase{"DigitsThenLetters", "1234abc", 1234},
                      LeadingNumberCase{"LeadingBlank", " 1234", 1234},
                      LeadingNumberCase{"FractionStaysAFraction", "12.5", 12.5},
                      LeadingNumberCase{"Empty", "", 0}, LeadingNumberCase{"Zero", "0", 0},
                      LeadingNumberCase{"Letters", "abc", 0},
                      LeadingNumberCase{"OneDigitThenLetters", "2xyz", 2},
                      LeadingNumberCase{"DigitsLettersDigits", "12abc34", 12},
                      LeadingNumberCase{"StopsAtInnerBlank", "1 2", 1},
                      LeadingNumberCase{"StopsAtComma", "1,234", 1},
                      LeadingNumberCase{"LeadingZeros", "007", 7},
                      LeadingNumberCase{"BeyondThirtyTwoBits", "4294967296", 4294967296.0}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    BlanksAndSigns, LeadingNumberTest,
    ::testing::Values(
        LeadingNumberCase{"OnlyBlanks", "   ", 0}, LeadingNumberCase{"LeadingTab", "\t7", 7},
        LeadingNumberCase{"BlanksAndTabs", " \t 8x", 8}, LeadingNumberCase{"Minus", "-1", -1},
        LeadingNumberCase{"Plus", "+7", 7}, LeadingNumberCase{"SignAlone", "-", 0},
        LeadingNumberCase{"BlankAfterSign", "- 1", 0}, LeadingNumberCase{"TwoSigns", "+-1", 0},
        LeadingNumberCase{"TrailingBlanks", "5   ", 5},
        LeadingNumberCase{"FullWidthDigits", "\xEF\xBC\x91\xEF\xBC\x92", 0}),
    caseName);

INSTANTIATE_TEST_SUITE_P(Fractions, LeadingNumberTest,
                         ::testing::Values(LeadingNumberCase{"OneAndAHalf", "1.5", 1.5},
                                           LeadingNumberCase{"NoWholeDigits", ".5", 0.5},
                                           LeadingNumberCase{"NegativeNoWholeDigits", "-.5", -0.5},
                                           LeadingNumberCase{"PointAlone", ".", 0},
                                           LeadingNumberCase{"PointThenLetter", ".x", 0},
                                           LeadingNumberCase{"TrailingPoint", "1.", 1},
                                           LeadingNumberCase{"SecondPointStops", "12.5.3", 12.5},
                                           LeadingNumberCase{"HexIsNotANumber", "0x1A", 0}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(Exponents, LeadingNumberTest,
                         ::testing::Values(LeadingNumberCase{"Exponent", "1e3", 1000},
                                           LeadingNumberCase{"CapitalExponent", "1E3", 1000},
                                           LeadingNumberCase{"NegativeExponent", "1e-2", 0.01},
                                           LeadingNumberCase{"PlusExponent", "2e+2", 200},
                                           LeadingNumberCase{"ExponentAfterFraction", "2.5e2x",
                                                             250},
                                           LeadingNumberCase{"ExponentAfterPoint", "1.e2", 100},
                                           LeadingNumberCase{"EWithoutDigits", "1e", 1},
                                           LeadingNumberCase{"EAndSignWithoutDigits", "1e+", 1},
                                           LeadingNumberCase{"EThenLetter", "3ex", 3},
                                           LeadingNumberCase{"ExponentWithoutMantissa", "e5", 0}),
                         caseName);

// Numbers outside a double's range read as what they are nearest to, never as some
// unrelated value such as 0 for a huge number.
INSTANTIATE_TEST_SUITE_P(
    OutOfRange, LeadingNumberTest,
    ::testing::Values(
        LeadingNumberCase{"HugeExponent", "1e999", kInfinity},
        LeadingNumberCase{"NegativeHugeExponent", "-1e999", -kInfinity},
        LeadingNumberCase{"ExponentBeyondLongLong", "1e99999999999999999999", kInfinity},
        LeadingNumberCase{"FourHundredDigits", std::string(400, '9'), kInfinity},
        LeadingNumberCase{"TinyExponent", "1e-999", 0},
        LeadingNumberCase{"TinyExponentBeyondLongLong", "1e-99999999999999999999", 0},
        LeadingNumberCase{"FourHundredZerosAfterPoint", "0." + std::string(400, '0') + "1", 0},
        LeadingNumberCase{"LongDigitsTinyExponent", std::string(400, '9') + "e-1000", 0},
        LeadingNumberCase{"ZeroWithHugeExponent", "0e99999", 0},
        LeadingNumberCase{"LargestDouble", "1.7976931348623157e308",
                          std::numeric_limits<double>::max()}),
    caseName);

}  // namespace
