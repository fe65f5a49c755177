#include "text/formatted_number.h"

#include "text/number_format.h"

const std::string& FormattedNumber::operator()(double value) {
    if (!text_ || value != value_) {
        text_ = formatNumber(value, pattern_);
        value_ = value;
    }
    return *text_;
}
