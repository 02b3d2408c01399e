#pragma once

#include "capture/captured_number.h"
#include "capture/phone_number.h"
#include "rules/dialing_history.h"
#include "rules/dialing_rule.h"
#include "rules/number_pair.h"

#include "shell/data_files.h"

namespace vellix {

// What the main window owns, created empty in this order before its first message and
// destroyed in reverse order at exit. Nothing of it is saved at exit.
struct ShellState {
    // The numbers of the last successful clipboard read.
    CapturedNumberList capturedNumbers;
    // The number the box was last filled from; the copied side of a dialed pair.
    PhoneNumber proposedNumber;
    DialingHistory history;
    RuleSet workingRules;
    RuleSet storedRules;
    // Data files that were there but could not be read: none is replaced before it is read.
    bool historyUnread = false;
    bool rulesUnread = false;
    // The history file lacks pairs of the history or holds forgotten ones: the next save of
    // the history writes it whole instead of adding a line.
    bool historyRewrite = false;
};

// The working rules derived afresh from the stored rules and the history, in reverse order,
// after the history forgot the pairs of rules the user's latest dials overruled.
void rederiveWorkingRules(ShellState& state);

// Load the data files at start-up, noting a file that is there but cannot be read now.
void loadDataFiles(DataFiles& files, ShellState& state);

// Save a data file. One that could not be read before is read first, and what it holds joins
// what was learned meanwhile (its pairs in front; the rules the user decided on meanwhile win
// over its rules of the same pattern); while it still cannot be read, nothing is written and
// the result is false.
bool saveHistoryOf(DataFiles& files, ShellState& state);
// Saves the history after a dial of pair, the history's last: one line is added to the file,
// unless it is to be written whole.
bool saveDialedPair(DataFiles& files, ShellState& state, const NumberPair& pair);
bool saveRulesOf(DataFiles& files, ShellState& state);

} // namespace vellix
