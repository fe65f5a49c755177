// Reads the number a text begins with, the way the program reads its stored setting and a PID.
#pragma once

#include <string_view>

// Leading blanks are skipped and reading stops at the first character that cannot continue
// the number; a fraction stays a fraction; a text that does not begin with a number reads as 0.
double readLeadingNumber(std::string_view text);
