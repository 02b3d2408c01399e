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

bool writeHistory(std::ostream& stream, const PairList& history);
bool readHistory(std::istream& stream, PairList& history);

} // namespace vellix
