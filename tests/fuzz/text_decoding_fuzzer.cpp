// Feeds arbitrary bytes to the decoders of foreign text: the ANSI code page (UTF-8 on Linux) and
// UTF-16. Each gives only scalar values, at most one per unit, never swallows an ASCII character
// into a malformed sequence, and gives back its input when it replaced nothing.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_contract.h"
#include "platform/ansi_text.h"
#include "text/unicode_text.h"

namespace {

template <typename Units, typename Encode>
void checkDecoded(const std::u32string& text, const Units& units, Encode encode) {
    const auto ascii = [](auto unit) { return static_cast<char32_t>(unit) < 0x80; };
    const auto scalar = [](char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); };
    require(text.size() <= units.size() && std::all_of(text.begin(), text.end(), scalar) &&
            std::count_if(text.begin(), text.end(), ascii) ==
                std::count_if(units.begin(), units.end(), ascii));
    require(text.find(kReplacementCharacter) != text.npos ||
            std::ranges::equal(encode(text), units));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkDecoded(decodeAnsiText(bytes), bytes, encodeUtf8);
    // An exact-sized copy, so that the sanitizer sees a read past the last unit.
    std::vector<char16_t> units(size / 2);
    std::copy_n(data, units.size() * 2, reinterpret_cast<std::uint8_t*>(units.data()));
    checkDecoded(decodeUtf16({units.data(), units.size()}), units, encodeUtf16);
    return 0;
}
