// Formats numbers by digit patterns such as "###,##0.#0 KB", and reads grouped numbers back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// "0" is a digit position always written, "#" one written only where the number has a digit
// (a "#" after the point that stands before a "0" is therefore always written); "," between
// whole-number positions groups by thousands; "." is the point; other characters are copied.
// Rounding is half away from zero on the number's shortest decimal text, so 2.675 gives 2.68
// although the double is slightly below it. A minus sign leads a negative number unless it
// rounds to zero.
std::string formatNumber(double value, std::string_view pattern);

// Reads a number such as "-1,234.57": an optional sign, a whole part whose commas each stand
// between two digits, an optional fraction, blanks around it. Anything else is std::nullopt.
std::optional<double> readGroupedNumber(std::string_view text);
