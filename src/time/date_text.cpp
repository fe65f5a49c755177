#include "time/date_text.h"

#include <array>
#include <charconv>

#include "time/automation_date.h"

namespace {

// The separator that ends each field; the minute runs to the end of the text.
constexpr std::array<char, 4> kSeparators{'/', '/', ' ', ':'};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the digits at the front of text into value and drops them from text; false when
// there are none or the number does not fit.
bool takeNumber(std::string_view& text, int& value) {
    std::size_t length = 0;
    while (length < text.size() && isDigit(text[length])) {
        ++length;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + length, value);
    if (length == 0 || error != std::errc()) {
        return false;
    }
    text.remove_prefix(length);
    return true;
}

bool takeSeparator(std::string_view& text, char separator) {
    if (text.empty() || text.front() != separator) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::optional<double> textToDate(std::string_view text) {
    DateTimeFields fields;
    const std::array<int*, 5> targets{&fields.year, &fields.month, &fields.day, &fields.hour,
                                      &fields.minute};
    for (std::size_t field = 0; field < targets.size(); ++field) {
        if (!takeNumber(text, *targets[field])) {
            return std::nullopt;
        }
        if (field < kSeparators.size() && !takeSeparator(text, kSeparators[field])) {
            return std::nullopt;
        }
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return automationDateFromFields(fields);
}
