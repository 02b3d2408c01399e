#pragma once

// What every step of the finder reads the text with: the searched bytes, which read as NUL
// outside the text, and what kind of byte each is. The text is UTF-8 whose dashes and blanks
// were folded to ASCII (foldCopiedText), so every byte above 0x7F is part of a character
// outside ASCII.

#include "capture/digit_string.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

namespace vellix::finder {

using Byte = unsigned char;

constexpr int MIN_DIGITS = 7;

constexpr int MAX_DIGITS = 15;

// A whole copied text may be a dial string: an access code in front of an international
// number ("9 011 44 20 7946 0000").
constexpr int MAX_DIAL_STRING_DIGITS = 20;

// More groups than this make no number (15 digits in single-digit groups are too many).
constexpr int MAX_GROUPS = 8;

// The searched part of the text; positions outside it read as NUL, so the look-behinds
// and look-aheads below need no bounds checks of their own.
class Text {
public:
    Text(const char* data, int length) : data_(data), length_(length) {}
    Byte at(int i) const {
        return i >= 0 && i < length_ ? static_cast<Byte>(data_[i]) : static_cast<Byte>(0);
    }
    int length() const { return length_; }

private:
    const char* data_;
    int length_;
};

inline bool isBlank(Byte c) {
    return c == ' ';
}

// What may stand between a label and its number.
inline bool isSpace(Byte c) {
    return isBlank(c) || c == '\t';
}

inline bool isDash(Byte c) {
    return c == '-';
}

inline bool isJoiningPunctuation(Byte c) {
    return isDash(c) || c == '.' || c == '/';
}

// The length of the currency sign at i, or 0: the dollar; the cent, pound, general currency
// and yen signs (C2 A2 to C2 A5); the euro and the other signs of the currency block (U+20A0
// to U+20BF, E2 82 A0 to E2 82 BF).
inline int currencySignLength(const Text& text, int i) {
    if (text.at(i) == '$')
        return 1;
    if (text.at(i) == 0xC2 && text.at(i + 1) >= 0xA2 && text.at(i + 1) <= 0xA5)
        return 2;
    if (text.at(i) == 0xE2 && text.at(i + 1) == 0x82 && text.at(i + 2) >= 0xA0 &&
        text.at(i + 2) <= 0xBF)
        return 3;
    return 0;
}

inline bool isCurrencySignAt(const Text& text, int i) {
    return currencySignLength(text, i) > 0;
}

// Whether a currency sign ends just before end.
inline bool isCurrencySignBefore(const Text& text, int end) {
    return currencySignLength(text, end - 1) == 1 || currencySignLength(text, end - 2) == 2 ||
           currencySignLength(text, end - 3) == 3;
}

// Bytes above 0x7F are taken as letters of words: they make the letters of every script.
inline bool isLetter(Byte c) {
    const Byte folded = c | 0x20;
    return (folded >= 'a' && folded <= 'z') || c >= 0x80;
}

inline bool isDigitByte(Byte c) {
    return isDigit(static_cast<char>(c));
}

inline bool isWordChar(Byte c) {
    return isDigitByte(c) || isLetter(c) || c == '_';
}

inline char lower(Byte c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
}

inline bool wordIs(const Text& text, int start, int end, std::string_view word) {
    const int length = static_cast<int>(word.size());
    if (end - start != length)
        return false;
    for (int k = 0; k < length; ++k) {
        if (lower(text.at(start + k)) != word[k])
            return false;
    }
    return true;
}

template <std::size_t N>
bool wordIn(const Text& text, int start, int end, const std::string_view (&words)[N]) {
    return std::any_of(std::begin(words), std::end(words),
                       [&](std::string_view word) { return wordIs(text, start, end, word); });
}

// Skips backwards over blanks and tabs from end; returns the new end.
inline int skipSpacesBack(const Text& text, int end) {
    while (isSpace(text.at(end - 1)))
        --end;
    return end;
}

inline int lineStartBefore(const Text& text, int i) {
    while (i > 0 && text.at(i - 1) != '\n' && text.at(i - 1) != '\r')
        --i;
    return i;
}

inline int lineEndAfter(const Text& text, int i) {
    while (i < text.length() && text.at(i) != '\n' && text.at(i) != '\r')
        ++i;
    return i;
}

// Calls visit(wordStart, wordEnd) for each word of letters in text[start, end) in turn until
// it returns true; returns whether one did.
template <typename Visit> bool anyWord(const Text& text, int start, int end, Visit visit) {
    for (int i = start; i < end; ++i) {
        if (!isLetter(text.at(i)) || isLetter(text.at(i - 1)))
            continue;
        int wordEnd = i;
        while (wordEnd < end && isLetter(text.at(wordEnd)))
            ++wordEnd;
        if (visit(i, wordEnd))
            return true;
    }
    return false;
}

} // namespace vellix::finder
