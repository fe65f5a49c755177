#include "platform/text_to_number.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Reading {
    const char* text;
    double value;
};

TEST(TextToNumber, ReadsPlainDecimalNumbers) {
    const Reading readings[] = {
        {"300", 300},   {"0", 0},         {"-5", -5},       {"+7", 7},      {"1.5", 1.5},
        {".5", 0.5},    {"5.", 5},        {"0300", 300},    {"300.0", 300}, {" 300 ", 300},
        {"\t42\t", 42}, {"-0.25", -0.25}, {"32768", 32768}, {"0.98", 0.98},
    };
    for (const Reading& reading : readings) {
        SCOPED_TRACE(reading.text);
        EXPECT_EQ(textToNumber(reading.text), reading.value);
    }
}

TEST(TextToNumber, RefusesWhatIsNoPlainNumber) {
    const std::string tooLarge = "1" + std::string(400, '0');
    const std::string refused[] = {
        "",      " ",    "abc",  "12a", "a12",  "１２３", "３００", "1e3", "1E3",
        "1,000", "1,5",  "3 00", "--1", "+-1",  "-",      "+",      ".",   "-.",
        "1.2.3", "0x10", "inf",  "nan", "12\n", "1 2",    tooLarge,
    };
    for (const std::string& text : refused) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(textToNumber(text).has_value());
    }
}

}  // namespace
