#pragma once

#include "rules/number_pair.h"

#include <iosfwd>

namespace vellix {

// One pair a line, "<copied digit form>  ->  <dialed digit form>" and CR LF, in the
// current directory. The older name is read when the newer cannot be opened.
constexpr const char* HISTORY_FILE = "DialingHistory.dat";
constexpr const char* OLD_HISTORY_FILE = "history.dat";

// Replaces the history file; false, with the previous file intact, when that fails.
bool saveHistory(const PairList& history);
// Appends the stored pairs; false when neither file can be opened.
bool loadHistory(PairList& history);

// Writes one line a pair, CR LF included; false when the stream failed on the way.
bool writeHistory(std::ostream& stream, const PairList& history);
// Appends the pair of every readable line; on lines this program wrote, each number's text
// is its saved digit form.
// Reading stops at the end of the stream or at a field of more than 255 characters; the
// pairs read before that are kept. Always true.
bool readHistory(std::istream& stream, PairList& history);

} // namespace vellix
