// Feeds arbitrary text to the reading of a typed number. It takes a plain decimal number between
// blanks whole, never a prefix of the text, at the value the C library reads; it refuses any
// other text, and such a number only when it lies beyond a double's range.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "fuzz_contract.h"
#include "text/text_to_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::regex kPlainDecimal("[ \t]*[+-]?([0-9]+([.][0-9]*)?|[.][0-9]+)[ \t]*");
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = textToNumber(text);
    const bool plain = std::regex_match(text, kPlainDecimal);
    errno = 0;
    const double reference = std::strtod(text.c_str(), nullptr);
    require(value ? plain && std::isfinite(*value) && *value == reference
                  : !plain || errno == ERANGE);
    return 0;
}
