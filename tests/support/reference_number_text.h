// The patterns the program writes its numbers with, and a second, plainly written account of
// how the pattern formatter writes a number, for differential tests of the formatter.
#pragma once

#include <array>
#include <string>
#include <string_view>

inline constexpr std::array<std::string_view, 5> kPatternsInUse{
    "###,###,###,###,##0 KB", "###,###,###,###,#0.#0 Kb/S", "###,###,###,###,#0.#0", "0 BS ",
    "0.#0 KBS "};

// The value's shortest decimal text rounded half away from zero to the pattern's decimals, its
// whole part grouped by thousands if the pattern groups, a minus sign unless it reads as zero,
// and the pattern's text after its last digit position.
std::string referenceNumberText(double value, std::string_view pattern);
