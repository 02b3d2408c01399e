#pragma once

#include "rules/dialing_history.h"
#include "rules/number_pair.h"
#include "store/file_load.h"

#include <iosfwd>

namespace vellix {

// One pair a line, "<copied digit form>  ->  <dialed digit form>" and CR LF, in the
// current directory. The older name is read when the newer cannot be opened.
constexpr const char* HISTORY_FILE = "DialingHistory.dat";
constexpr const char* OLD_HISTORY_FILE = "history.dat";

// Replaces the history file with the whole history, as after pairs were forgotten; false, with the
// previous file intact, when that fails. A file with lines that readHistory passes over is first
// kept beside it (HISTORY_FILE ".bak").
bool saveHistory(const DialingHistory& history);
// Adds one pair's line at the end of the history file, on the disk when this returns.
bool appendToHistory(const NumberPair& pair);
// Appends the stored pairs. The older file counts only when the newer one is missing.
FileLoad loadHistory(DialingHistory& history);

// Writes one line a pair, CR LF included; false when the stream failed on the way.
bool writeHistory(std::ostream& stream, const DialingHistory& history);
// Appends the pair of every readable line; on lines this program wrote, each number's text
// is its saved digit form. A line is readable when its two numbers, split at the arrow, make
// a learnable pair. Every other line but a blank one is passed over alone, and then the
// result is false.
bool readHistory(std::istream& stream, DialingHistory& history);

} // namespace vellix
