#include "text/number_format.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <system_error>

namespace {

bool isDigitPosition(char c) {
    return c == '0' || c == '#';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A pattern cut into the text before the number, the number's digit positions and the text
// after it. Only one run of digit positions is the number; any later one is plain text.
struct NumberPattern {
    bool hasDigitPositions = false;
    std::string_view before;
    int minWholeDigits = 0;  // the positions from the leftmost whole-number "0" on
    bool grouped = false;
    bool hasPoint = false;
    int fractionDigits = 0;
    int minFractionDigits = 0;  // the positions up to the last "0" after the point
    std::string_view after;
};

std::size_t numberStart(std::string_view pattern) {
    for (std::size_t pos = 0; pos < pattern.size(); ++pos) {
        const bool pointBeforeDigits =
            pattern[pos] == '.' && pos + 1 < pattern.size() && isDigitPosition(pattern[pos + 1]);
        if (isDigitPosition(pattern[pos]) || pointBeforeDigits) {
            return pos;
        }
    }
    return std::string_view::npos;
}

// Reads the whole-number positions from start; returns one past the last digit position, so
// that a trailing comma stays plain text.
std::size_t parseWholePositions(std::string_view pattern, std::size_t start,
                                NumberPattern& parsed) {
    bool zeroSeen = false;
    bool commaPending = false;
    std::size_t end = start;
    for (std::size_t pos = start; pos < pattern.size(); ++pos) {
        const char c = pattern[pos];
        if (c == ',') {
            commaPending = end > start;
        } else if (isDigitPosition(c)) {
            zeroSeen = zeroSeen || c == '0';
            parsed.minWholeDigits += zeroSeen ? 1 : 0;
            parsed.grouped = parsed.grouped || commaPending;
            end = pos + 1;
        } else {
            break;
        }
    }
    return end;
}

std::size_t parseFractionPositions(std::string_view pattern, std::size_t pos,
                                   NumberPattern& parsed) {
    if (pos >= pattern.size() || pattern[pos] != '.') {
        return pos;
    }
    parsed.hasPoint = true;
    for (++pos; pos < pattern.size() && isDigitPosition(pattern[pos]); ++pos) {
        ++parsed.fractionDigits;
        if (pattern[pos] == '0') {
            parsed.minFractionDigits = parsed.fractionDigits;
        }
    }
    return pos;
}

NumberPattern parsePattern(std::string_view pattern) {
    NumberPattern parsed;
    const std::size_t start = numberStart(pattern);
    if (start == std::string_view::npos) {
        parsed.before = pattern;
        return parsed;
    }
    parsed.hasDigitPositions = true;
    parsed.before = pattern.substr(0, start);
    std::size_t pos = parseWholePositions(pattern, start, parsed);
    pos = parseFractionPositions(pattern, pos, parsed);
    parsed.after = pattern.substr(pos);
    return parsed;
}

// A non-negative number as decimal digits: the value is 0.d1d2d3... times 10^pointPosition,
// so pointPosition digits stand before the decimal point.
struct DecimalDigits {
    std::string digits;
    int pointPosition = 0;

    char at(int index) const {
        const bool inside = index >= 0 && index < static_cast<int>(digits.size());
        return inside ? digits[static_cast<std::size_t>(index)] : '0';
    }
};

// The shortest digits that read back as the same double: what a person would write for it.
DecimalDigits shortestDigits(double magnitude) {
    char text[64];
    const auto written =
        std::to_chars(std::begin(text), std::end(text), magnitude, std::chars_format::scientific);
    const std::string_view scientific(text, static_cast<std::size_t>(written.ptr - text));
    const std::size_t e = scientific.find('e');
    DecimalDigits decimal;
    for (const char c : scientific.substr(0, e)) {
        if (c != '.') {
            decimal.digits += c;
        }
    }
    std::size_t exponentStart = e + 1;
    if (scientific[exponentStart] == '+') {
        ++exponentStart;
    }
    int exponent = 0;
    std::from_chars(scientific.data() + exponentStart, scientific.data() + scientific.size(),
                    exponent);
    decimal.pointPosition = exponent + 1;
    return decimal;
}

// Rounds half away from zero to fractionDigits decimals on the decimal digits themselves.
void roundDigits(DecimalDigits& decimal, int fractionDigits) {
    const int keep = decimal.pointPosition + fractionDigits;
    if (keep >= static_cast<int>(decimal.digits.size())) {
        return;
    }
    if (keep < 0) {
        decimal.digits.clear();
        return;
    }
    const bool roundUp = decimal.digits[static_cast<std::size_t>(keep)] >= '5';
    decimal.digits.resize(static_cast<std::size_t>(keep));
    if (!roundUp) {
        return;
    }
    for (auto digit = decimal.digits.rbegin(); digit != decimal.digits.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return;
        }
        *digit = '0';
    }
    decimal.digits.insert(decimal.digits.begin(), '1');
    ++decimal.pointPosition;
}

bool isZero(const DecimalDigits& decimal) {
    return decimal.digits.find_first_not_of('0') == std::string::npos;
}

std::string groupByThousands(const std::string& digits) {
    std::string grouped;
    for (std::size_t pos = 0; pos < digits.size(); ++pos) {
        if (pos > 0 && (digits.size() - pos) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[pos];
    }
    return grouped;
}

std::string wholeText(const DecimalDigits& decimal, const NumberPattern& pattern) {
    std::string whole;
    for (int index = 0; index < decimal.pointPosition; ++index) {
        const char digit = decimal.at(index);
        if (digit != '0' || !whole.empty()) {
            whole += digit;
        }
    }
    if (static_cast<int>(whole.size()) < pattern.minWholeDigits) {
        whole.insert(0, static_cast<std::size_t>(pattern.minWholeDigits) - whole.size(), '0');
    }
    return pattern.grouped ? groupByThousands(whole) : whole;
}

std::string fractionText(const DecimalDigits& decimal, const NumberPattern& pattern) {
    std::string fraction;
    for (int index = 0; index < pattern.fractionDigits; ++index) {
        fraction += decimal.at(decimal.pointPosition + index);
    }
    while (static_cast<int>(fraction.size()) > pattern.minFractionDigits &&
           fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction;
}

std::string notANumberText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-Infinity" : "Infinity";
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern) {
    const NumberPattern parsed = parsePattern(pattern);
    if (!parsed.hasDigitPositions) {
        return std::string(pattern);
    }
    const std::string before(parsed.before);
    if (!std::isfinite(value)) {
        return before + notANumberText(value) + std::string(parsed.after);
    }
    DecimalDigits decimal = shortestDigits(std::fabs(value));
    roundDigits(decimal, parsed.fractionDigits);
    std::string text = std::signbit(value) && !isZero(decimal) ? "-" + before : before;
    text += wholeText(decimal, parsed);
    if (parsed.hasPoint) {
        text += '.' + fractionText(decimal, parsed);
    }
    return text + std::string(parsed.after);
}

std::optional<double> readGroupedNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    std::string plain;
    std::size_t pos = 0;
    if (text[pos] == '-' || text[pos] == '+') {
        plain += text[pos++];
    }
    const std::size_t wholeStart = pos;
    for (; pos < text.size() && (isDigit(text[pos]) || text[pos] == ','); ++pos) {
        if (text[pos] != ',') {
            plain += text[pos];
        } else if (pos == wholeStart || pos + 1 == text.size() || !isDigit(text[pos + 1])) {
            return std::nullopt;
        }
    }
    bool hasDigits = pos > wholeStart;
    if (pos < text.size() && text[pos] == '.') {
        plain += text[pos++];
        const std::size_t fractionStart = pos;
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            plain += text[pos];
        }
        hasDigits = hasDigits || pos > fractionStart;
    }
    if (!hasDigits || pos != text.size()) {
        return std::nullopt;
    }
    const char* begin = plain.data() + (plain.front() == '+' ? 1 : 0);
    double value = 0;
    const auto read = std::from_chars(begin, plain.data() + plain.size(), value);
    if (read.ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}
