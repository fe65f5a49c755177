#include "text/unicode_text.h"

#include <gtest/gtest.h>

namespace {

// Each malformed sequence becomes one U+FFFD, so that what is shown is always well-formed. That
// well-formed text reads back unchanged is checked by the decoding fuzzer.
TEST(UnicodeTextTest, ReplacesEachMalformedSequence) {
    // An overlong zero, an encoded surrogate, a sequence cut short before a letter.
    EXPECT_EQ(decodeUtf8("\xC0\x80\xED\xA0\x80\xE4\xBBx"),
              U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDx");
    EXPECT_EQ(decodeUtf16(u"\xDC00\xD83Dx\xD83D"), U"\uFFFD\uFFFDx\uFFFD");
}

}  // namespace
