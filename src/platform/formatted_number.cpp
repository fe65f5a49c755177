#include "platform/formatted_number.h"

#include "platform/number_format.h"

const std::string& FormattedNumber::operator()(double value) {
    if (!text_ || value != value_) {
        text_ = formatNumber(value, pattern_);
        value_ = value;
    }
    return *text_;
}
