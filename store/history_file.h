#pragma once

#include "rules/number_pair.h"
#include "store/file_load.h"

#include <iosfwd>

namespace vellix {

// One pair a line, "<copied digit form>  ->  <dialed digit form>" and CR LF, in the
// current directory. The older name is read when the newer cannot be opened.
constexpr const char* HISTORY_FILE = "DialingHistory.dat";
constexpr const char* OLD_HISTORY_FILE = "history.dat";

// Replaces the history file; false, with the previous file intact, when that fails. A file
// with lines that readHistory passes over is first kept beside it (HISTORY_FILE ".bak").
bool saveHistory(const PairList& history);
// Appends the stored pairs. The older file counts only when the newer one is missing.
FileLoad loadHistory(PairList& history);

// Writes one line a pair, CR LF included; false when the stream failed on the way.
bool writeHistory(std::ostream& stream, const PairList& history);
// Appends the pair of every readable line; on lines this program wrote, each number's text
// is its saved digit form. A line is readable when its two numbers, split at the arrow, make
// a learnable pair. Every other line but a blank one is passed over alone, and then the
// result is false.
bool readHistory(std::istream& stream, PairList& history);

} // namespace vellix
