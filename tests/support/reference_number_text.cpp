#include "support/reference_number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

std::string referenceNumberText(double value, std::string_view pattern) {
    const std::size_t lastPosition = pattern.find_last_of("0#");
    const std::size_t decimals = lastPosition - std::min(pattern.find('.'), lastPosition);
    char buffer[32]{};
    char* end = std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value),
                              std::chars_format::scientific)
                    .ptr;
    const std::string scientific(std::begin(buffer), end);
    std::string mantissa = scientific.substr(0, scientific.find('e'));
    std::erase(mantissa, '.');
    const int exponent = std::stoi(scientific.substr(scientific.find('e') + 1));
    // The digits with a leading zero for a carry to reach; the first `point` of them are whole.
    std::string digits =
        std::string(static_cast<std::size_t>(std::max(1, -exponent)), '0') + mantissa;
    const auto point = static_cast<std::size_t>(std::max(1, exponent + 2));
    digits.resize(std::max(digits.size(), point + decimals + 1), '0');
    bool carry = digits[point + decimals] >= '5';
    digits.resize(point + decimals);
    for (std::size_t at = digits.size(); carry && at-- > 0;) {
        carry = digits[at] == '9';
        digits[at] = carry ? '0' : static_cast<char>(digits[at] + 1);
    }
    std::string whole = digits.substr(0, point);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    for (std::size_t at = whole.size(); pattern.find(',') != pattern.npos && at > 3; at -= 3) {
        whole.insert(at - 3, 1, ',');
    }
    const bool negative = std::signbit(value) && digits.find_first_not_of('0') != digits.npos;
    const std::string fraction = decimals > 0 ? '.' + digits.substr(point) : "";
    return (negative ? "-" : "") + whole + fraction + std::string(pattern.substr(lastPosition + 1));
}
