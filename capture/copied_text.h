#pragma once

#include "capture/captured_number.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vellix {

// The numbers of a plain copied text, which ends at its first NUL or after size bytes. A
// text short enough to be a number's text is taken whole when it reads as one number
// (readWholeNumber), labelled "Default" unless it names itself. Any other text is searched
// for the numbers written in it (findNumbers) when findInText is set, and otherwise yields
// nothing. Returns whether anything was appended.
bool readCopiedText(const char* text, std::size_t size, bool findInText, CapturedNumberList& out);

// A character of copied Unicode text as numbers are read: every dash and minus sign is a
// hyphen, every blank (no-break, thin, figure and the like) a space and a full-width digit or
// punctuation mark ("：", "（", "＋") its ASCII kin; any other character stays.
char16_t foldNumberPunctuation(char16_t c);

// Copied Unicode text with each character folded, in UTF-8: the text every reader of numbers
// takes. A NUL stays.
std::string foldCopiedText(std::u16string_view text);

} // namespace vellix
