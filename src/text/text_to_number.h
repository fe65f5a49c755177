// Reads a number the user typed into a field, with "." as the decimal point whatever the
// process's C locale says.
#pragma once

#include <optional>
#include <string_view>

// The value of a plain decimal number: an optional sign, ASCII digits with at most one ".",
// at least one digit; blanks (spaces, tabs) before and after it are ignored. Nothing for
// anything else: empty text, letters, full-width digits, an exponent ("1e3"), thousands
// separators, blanks inside the number, trailing junk, or a value beyond a double's range,
// too large ("1" and 400 zeros) or too small to be told from zero ("0." and 400 zeros, then 1).
std::optional<double> textToNumber(std::string_view text);
