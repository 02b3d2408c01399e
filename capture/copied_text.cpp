#include "capture/copied_text.h"

#include "capture/digit_string.h"
#include "capture/number_finder.h"
#include "capture/unicode_text.h"

#include <algorithm>
#include <cstring>

namespace vellix {

bool readCopiedText(const char* text, std::size_t size, bool findInText, CapturedNumberList& out) {
    if (text == nullptr)
        return false;
    // One byte more than the longest number's text tells a longer text from a fitting one.
    char whole[PhoneNumber::MAX_TEXT_LENGTH + 2] = {};
    const std::size_t available = std::min(size, sizeof whole - 1);
    const void* nul = std::memchr(text, '\0', available);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : available;
    if (length > PhoneNumber::MAX_TEXT_LENGTH)
        return findInText && findNumbers(text, size, out);
    std::memcpy(whole, text, length);
    // A short text is a number only when it reads as one as a whole; where it holds several,
    // the search finds them.
    return readWholeNumber(whole, length, out) || (findInText && findNumbers(whole, length, out));
}

char16_t foldNumberPunctuation(char16_t c) {
    // Hyphen, non-breaking hyphen, figure dash, en and em dashes, horizontal bar, minus sign,
    // small and full-width hyphen-minus.
    if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212 || c == 0xFE63 || c == 0xFF0D)
        return u'-';
    // No-break, the fixed-width spaces from en quad to hair space, narrow no-break,
    // mathematical and ideographic spaces.
    if (c == 0x00A0 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000)
        return u' ';
    // Full-width forms of ASCII (digits, "：", "（", "＋"), as East Asian texts write them.
    if (c >= 0xFF01 && c <= 0xFF5E)
        return static_cast<char16_t>(u'!' + (c - 0xFF01));
    return c;
}

std::string foldCopiedText(std::u16string_view text) {
    return toUtf8(text, foldNumberPunctuation);
}

} // namespace vellix
