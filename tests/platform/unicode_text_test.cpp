// UTF-8 and UTF-16 conversions: well-formed text round-trips, malformed input is replaced.
#include "platform/unicode_text.h"

#include <gtest/gtest.h>

namespace {

TEST(UnicodeTextTest, Utf8DecodesEachSequenceLength) {
    EXPECT_EQ(decodeUtf8("A\xC3\xA9\xE4\xBB\xA5\xF0\x9F\x98\x80"), U"A\u00E9\u4EE5\U0001F600");
    EXPECT_EQ(decodeUtf8(std::string_view("a\0b", 3)), std::u32string(U"a\0b", 3));
}

TEST(UnicodeTextTest, MalformedUtf8BecomesReplacementCharacters) {
    struct {
        const char* bytes;
        std::u32string expected;
    } cases[] = {
        {"\x80", U"\uFFFD"},                                // a lone continuation byte
        {"\xC0\x80", U"\uFFFD\uFFFD"},                      // overlong zero
        {"\xE0\x80\x80", U"\uFFFD\uFFFD\uFFFD"},            // overlong three-byte form
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xE4\xBB", U"\uFFFD"},                            // cut short at the end
        {"\xE4\xBBx", U"\uFFFDx"},                          // cut short before a letter
        {"\xFF\xFE", U"\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeUtf8(c.bytes), c.expected) << c.bytes;
    }
}

TEST(UnicodeTextTest, Utf16DecodesPairsAndReplacesLoneSurrogates) {
    EXPECT_EQ(decodeUtf16(u"\u4EE5\U0001F600"), U"\u4EE5\U0001F600");
    EXPECT_EQ(decodeUtf16(u"a\xDC00"), U"a\uFFFD");
    EXPECT_EQ(decodeUtf16(u"\xD83Dx"), U"\uFFFDx");
    EXPECT_EQ(decodeUtf16(u"\xD83D"), U"\uFFFD");
}

TEST(UnicodeTextTest, EncodersReplaceWhatIsNoCharacter) {
    const std::u32string invalid = {0xD800, 0x110000, U'a'};
    EXPECT_EQ(encodeUtf8(invalid),
              "\xEF\xBF\xBD\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(encodeUtf16(invalid), u"\uFFFD\uFFFDa");
}

TEST(UnicodeTextTest, WellFormedTextRoundTrips) {
    const std::u32string text = U"eth0 \u00E9\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
    EXPECT_EQ(decodeUtf8(encodeUtf8(text)), text);
    EXPECT_EQ(decodeUtf16(encodeUtf16(text)), text);
    EXPECT_EQ(encodeUtf16(text).size(), text.size() + 2);
}

}  // namespace
