// Conversions between UTF-8, UTF-16 and code points. Malformed input never fails: each
// malformed sequence becomes one U+FFFD, so every result is well-formed.
#pragma once

#include <string>
#include <string_view>

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

std::u32string decodeUtf8(std::string_view bytes);
std::u32string decodeUtf16(std::u16string_view units);
std::string encodeUtf8(std::u32string_view text);
std::u16string encodeUtf16(std::u32string_view text);
