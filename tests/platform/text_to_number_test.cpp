#include "platform/text_to_number.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextToNumber, ReadsOnlyPlainDecimalNumbers) {
    EXPECT_EQ(textToNumber(" 300 "), 300);
    EXPECT_EQ(textToNumber("-0.25"), -0.25);
    const std::string refused[] = {
        "",    " ", "abc", "12a",   "１２３", "1e3", "1,000", "3 00",
        "--1", "-", ".",   "1.2.3", "0x10",   "inf", "12\n",  "1" + std::string(400, '0')};
    for (const std::string& text : refused) {
        EXPECT_EQ(textToNumber(text), std::nullopt) << text.substr(0, 40);
    }
}

}  // namespace
