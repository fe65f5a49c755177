// Feeds arbitrary doubles to the pattern formatter, and the input's bytes to it as a pattern. Each
// pattern in use writes what the plain reference writes, never "-0", and the graph point's text
// reads back, commas removed, to the rounded value.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_contract.h"
#include "support/reference_number_text.h"
#include "text/number_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    formatNumber(value, std::string_view(reinterpret_cast<const char*>(data), size));
    if (!std::isfinite(value)) {
        return 0;
    }
    for (const std::string_view pattern : kPatternsInUse) {
        const std::string text = formatNumber(value, pattern);
        require(text == referenceNumberText(value, pattern) &&
                (text.front() != '-' || text.find_first_of("123456789") != text.npos));
    }
    const std::string point = formatNumber(value, kPatternsInUse[2]);
    std::string plain = point;
    std::erase(plain, ',');
    require(readGroupedNumber(point) == std::strtod(plain.c_str(), nullptr));
    return 0;
}
