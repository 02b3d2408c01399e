#pragma once

#include "capture/captured_number.h"

#include <cstddef>

namespace vellix {

// The numbers of a plain copied text, which ends at its first NUL or after size bytes. A
// text short enough to be a number's text is taken whole, labelled "Default", when it holds
// a digit; a longer one is searched for the numbers written in it (findNumbers) when
// findInText is set, and otherwise yields nothing. Returns whether anything was appended.
bool readCopiedText(const char* text, std::size_t size, bool findInText, CapturedNumberList& out);

} // namespace vellix
