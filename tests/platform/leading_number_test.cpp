#include "platform/leading_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

namespace {

// Beyond a double's range the text reads as the nearest value, never as an unrelated one.
TEST(LeadingNumber, ReadsTheNumberTheTextBeginsWith) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::string nines(400, '9');
    const std::pair<std::string, double> cases[] = {
        {"1234abc", 1234},  {" 1234", 1234},
        {"12.5", 12.5},     {"", 0},
        {"0", 0},           {"-1", -1},
        {"-", 0},           {".", 0},
        {"12.5.3", 12.5},   {"2.5e2x", 250},
        {"1e+", 1},         {"1e99999999999999999999", kInfinity},
        {nines, kInfinity}, {"1e-99999999999999999999", 0}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(readLeadingNumber(text), expected) << '"' << text.substr(0, 40) << '"';
    }
}

}  // namespace
