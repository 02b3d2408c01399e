#pragma once

// Text between UTF-16, as Windows keeps it, and UTF-8, as the program reads and keeps it.

#include <string>
#include <string_view>

namespace vellix {

// An unpaired surrogate becomes U+FFFD. With map, each unit beyond ASCII is taken through it
// first; it maps a surrogate to itself.
std::string toUtf8(std::u16string_view text, char16_t (*map)(char16_t) = nullptr);

// A byte that starts no well-formed sequence (a stray continuation byte, a cut or overlong
// sequence, a surrogate's code) becomes U+FFFD.
std::u16string toUtf16(std::string_view text);

// The length of the longest start of text[0, length) that ends on a whole character.
std::size_t wholeCharactersIn(const char* text, std::size_t length);

} // namespace vellix
