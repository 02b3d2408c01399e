#include "capture/unicode_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

TEST(UnicodeText, ConvertsEveryCharacterAndReplacesWhatIsMalformed) {
    // One, two, three and four bytes: "a", "é", "電", U+1F4DE.
    const std::string utf8 = "a\xC3\xA9\xE9\x9B\xBB\xF0\x9F\x93\x9E";
    const std::u16string utf16 = u"a\u00E9\u96FB\U0001F4DE";
    EXPECT_EQ(toUtf16(utf8), utf16);
    EXPECT_EQ(toUtf8(utf16), utf8);
    EXPECT_EQ(toUtf8(u"412-268-1234"), "412-268-1234");
    const struct {
        const char* bytes;
        std::u16string expected;
    } malformed[] = {
        {"\x80x", u"\uFFFDx"},                             // a stray continuation byte
        {"\xE9\x9B", u"\uFFFD\uFFFD"},                     // a sequence cut at the end
        {"\xE9x", u"\uFFFDx"},                             // a sequence cut by an ASCII byte
        {"\xC0\x80", u"\uFFFD\uFFFD"},                     // an overlong NUL
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // a surrogate's code
        {"\xF5\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
    };
    for (const auto& m : malformed)
        EXPECT_EQ(toUtf16(m.bytes), m.expected) << m.bytes;
    EXPECT_EQ(toUtf8(std::u16string{u'x', char16_t{0xD800}}), "x\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8(std::u16string{char16_t{0xDC00}, u'x'}), "\xEF\xBF\xBDx");
}

TEST(UnicodeText, CutsOnlyAfterAWholeCharacter) {
    const std::string text = "ab\xE9\x9B\xBB\xF0\x9F\x93\x9E";
    const std::size_t whole[] = {0, 1, 2, 2, 2, 5, 5, 5, 5, 9};
    for (std::size_t length = 0; length <= text.size(); ++length)
        EXPECT_EQ(wholeCharactersIn(text.data(), length), whole[length]) << length;
    // Bytes that make no character are not a cut one.
    EXPECT_EQ(wholeCharactersIn("a\x80\x80", 3), 3U);
}

} // namespace
} // namespace vellix
