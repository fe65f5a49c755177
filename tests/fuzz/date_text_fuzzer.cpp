// Feeds arbitrary text to the reading of the clock panel's composed date-time: an accepted text,
// its numbers' leading zeros dropped, is the date read written out, seconds 0. Five numbers from
// the input, composed as the panel composes them (leading zeros or not), are read if and only if
// they are a date.
#include <chrono>
#include <cstdint>
#include <regex>
#include <string>

#include "fuzz_contract.h"
#include "time/automation_date.h"
#include "time/date_text.h"

namespace {

// The fields as the clock panel composes them, each number after `zeros`.
std::string composedText(const DateTimeFields& date, const std::string& zeros = "") {
    using std::to_string;
    return zeros + to_string(date.year) + '/' + zeros + to_string(date.month) + '/' + zeros +
           to_string(date.day) + ' ' + zeros + to_string(date.hour) + ':' + zeros +
           to_string(date.minute);
}

void checkReadOf(const std::string& text) {
    static const std::regex kLeadingZeros("(^|[^0-9])0+([0-9])");
    if (const std::optional<double> date = textToDate(text)) {
        const DateTimeFields fields = fieldsOfAutomationDate(*date);
        require(fields.second == 0 &&
                composedText(fields) == std::regex_replace(text, kLeadingZeros, "$1$2"));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkReadOf(std::string(reinterpret_cast<const char*>(data), size));
    if (size < 10) {
        return 0;
    }
    const auto number = [data](int at, int spread) {
        return (data[2 * at] << 8 | data[2 * at + 1]) % spread;
    };
    const DateTimeFields fields{number(0, 10100), number(1, 14), number(2, 33),
                                number(3, 26),    number(4, 62), 0};
    const std::chrono::year_month_day day{std::chrono::year(fields.year),
                                          std::chrono::month(static_cast<unsigned>(fields.month)),
                                          std::chrono::day(static_cast<unsigned>(fields.day))};
    const bool real = day.ok() && fields.year >= 100 && fields.year <= 9999 && fields.hour < 24 &&
                      fields.minute < 60;
    const std::string text = composedText(fields, data[size - 1] % 2 == 0 ? "" : "0");
    require(textToDate(text).has_value() == real);
    checkReadOf(text);
    return 0;
}
