#include "platform/leading_number.h"

#include <charconv>
#include <cstddef>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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
    pos += exponentLength(text, pos);
    double value = 0;
    std::from_chars(text.data() + start, text.data() + pos, value);
    return negative ? -value : value;
}
