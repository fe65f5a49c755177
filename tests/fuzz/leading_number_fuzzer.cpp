// Feeds arbitrary text to the leading-number reading of the stored setting and a PID. The value
// is never NaN and stays the same when a letter follows the text. Where the text begins (after
// blanks) as a decimal number, not in the C library's hexadecimal form, it is the library's
// reading; any other text reads as 0.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "fuzz_contract.h"
#include "text/leading_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::regex kDecimalStart("[ \t]*[+-]?(?!0[xX])[0-9.]");
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = readLeadingNumber(text);
    require(!std::isnan(value) && readLeadingNumber(text + 'x') == value);
    const bool decimal =
        std::regex_search(text, kDecimalStart, std::regex_constants::match_continuous);
    require(value == (decimal ? std::strtod(text.c_str(), nullptr) : 0.0));
    return 0;
}
