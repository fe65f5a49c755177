#include "platform/unicode_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

// Each boundary of the sequence lengths, a zero inside and a pair beyond the basic plane; each
// malformed sequence becomes U+FFFD, so that what is shown is always well-formed.
TEST(UnicodeTextTest, RoundTripsWellFormedTextAndReplacesMalformedSequences) {
    const std::u32string text = U"eth0\0\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF"s;
    EXPECT_EQ(decodeUtf8(encodeUtf8(text)), text);
    EXPECT_EQ(decodeUtf16(encodeUtf16(text)), text);
    // An overlong zero, an encoded surrogate, a sequence cut short before a letter.
    EXPECT_EQ(decodeUtf8("\xC0\x80\xED\xA0\x80\xE4\xBBx"),
              U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDx");
    EXPECT_EQ(decodeUtf16(u"\xDC00\xD83Dx\xD83D"), U"\uFFFD\uFFFDx\uFFFD");
}

}  // namespace
