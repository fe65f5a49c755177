#include "text/text_to_number.h"

#include <charconv>

namespace {

constexpr std::string_view kBlanks = " \t";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Digits with at most one decimal point among them, and at least one digit.
bool isPlainDecimal(std::string_view text) {
    bool seenPoint = false;
    bool seenDigit = false;
    for (const char c : text) {
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (isDigit(c)) {
            seenDigit = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

}  // namespace

std::optional<double> textToNumber(std::string_view text) {
    std::string_view number = trimBlanks(text);
    const bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (negative || number.front() == '+')) {
        number.remove_prefix(1);
    }
    if (!isPlainDecimal(number)) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}
