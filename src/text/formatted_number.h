// A number's text in one digit pattern, formatted again only when the number changes: at rest
// the monitor shows the same numbers tick after tick.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class FormattedNumber {
  public:
    // The pattern must outlive this object, as a string literal does.
    explicit FormattedNumber(std::string_view pattern) : pattern_(pattern) {}

    // formatNumber(value, pattern); a NaN, unequal to everything, is formatted every time.
    const std::string& operator()(double value);

  private:
    std::string_view pattern_;
    double value_ = 0;
    std::optional<std::string> text_;
};
