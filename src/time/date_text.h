// Reads the clock panel's composed text "year/month/day hour:minute" as a date-time.
#pragma once

#include <optional>
#include <string_view>

// The automation date of a text such as "2026/12/5 23:59", seconds 0, local time. Each field
// is one or more ASCII digits (leading zeros allowed), separated by exactly "/", "/", one space
// and ":". Nothing for anything else: an impossible date or time, an empty field, letters,
// blanks, other separators, seconds, or a year outside 100 to 9999 (a two-digit year is refused,
// never guessed into a century).
std::optional<double> textToDate(std::string_view text);
