#pragma once

#include "capture/captured_number.h"

#include <cstddef>

namespace vellix {

// How much of a copied text is searched, and how many numbers one text yields at most.
constexpr std::size_t SEARCHED_TEXT_LIMIT = std::size_t{64} * 1024;
constexpr std::size_t MAX_FOUND_NUMBERS = 32;

// Appends the telephone numbers written in a text such as a signature, a contact page or a
// chat message, in the order they appear, each digit form once. A number is 7 to 15 digits
// in groups joined by single separators (blank, '-', '.', '/', no-break space), with an
// optional leading '+' or area code in parentheses; an extension after it is left out, and
// digit runs that are dates, times, addresses, amounts, codes or identifiers are not
// numbers. A label word just before a number ("Mobile:") becomes its label and kind.
// The text is untrusted: it ends at its first NUL or after size bytes, and no more than
// SEARCHED_TEXT_LIMIT bytes are looked at. Returns whether anything was appended.
bool findNumbers(const char* text, std::size_t size, CapturedNumberList& out);

// Reads a short copied text of length bytes as one number when it reads as one: digits
// with number punctuation, a vanity number, a label and a number ("Tel: 555-1212"), an
// internal extension ("2041", "x2041") or a code to dial ("*67 555-1212"), with an extension
// after it. Dates, times, amounts, versions, addresses and words with a digit are none.
// Returns whether it appended the number.
bool readWholeNumber(const char* text, std::size_t length, CapturedNumberList& out);

} // namespace vellix
