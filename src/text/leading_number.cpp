#include "text/leading_number.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// The length of the exponent part at pos ("e-5", "E3"), or 0 when no digit follows the e.
std::size_t exponentLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
        return 0;
    }
    std::size_t digits = pos + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) {
        ++digits;
    }
    const std::size_t end = skipDigits(text, digits);
    return end > digits ? end - pos : 0;
}

// The power of ten of the first significant digit of a mantissa: 3 for "1234", -3 for "0.001".
long long leadingPower(std::string_view mantissa) {
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    const auto first = static_cast<long long>(mantissa.find_first_not_of("0."));
    return first < point ? point - first - 1 : point - first;
}

// The value of an exponent part ("e-5"), held within bounds that no double comes near.
long long exponentValue(std::string_view exponent) {
    constexpr long long kBound = 1'000'000'000'000;
    const bool negative = exponent[1] == '-';
    const std::size_t digits = exponent[1] == '+' || negative ? 2 : 1;
    long long value = kBound;
    std::from_chars(exponent.data() + digits, exponent.data() + exponent.size(), value);
    value = std::min(value, kBound);
    return negative ? -value : value;
}

// from_chars leaves the value untouched when a number lies outside the range of a double:
// one whose first significant digit stands above the units is too large, any other too small.
double outOfRangeValue(std::string_view mantissa, std::string_view exponent) {
    const long long power =
        leadingPower(mantissa) + (exponent.empty() ? 0 : exponentValue(exponent));
    return power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

double readLeadingNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) {
        return 0;
    }
    const bool negative = text[pos] == '-';
    if (text[pos] == '+' || negative) {
        ++pos;
    }
    const std::size_t start = pos;
    pos = skipDigits(text, pos);
    const std::size_t wholeDigits = pos - start;
    if (pos < text.size() && text[pos] == '.') {
        pos = skipDigits(text, pos + 1);
    }
    if (wholeDigits == 0 && pos - start <= 1) {
        return 0;
    }
    const std::string_view mantissa = text.substr(start, pos - start);
    const std::string_view exponent = text.substr(pos, exponentLength(text, pos));
    double value = 0;
    const std::from_chars_result read =
        std::from_chars(mantissa.data(), exponent.data() + exponent.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        value = outOfRangeValue(mantissa, exponent);
    }
    return negative ? -value : value;
}
