#pragma once

#include "capture/captured_number.h"
#include "capture/phone_number.h"
#include "rules/dialing_rule.h"
#include "rules/number_pair.h"

#include "app/data_files.h"

namespace vellix {

// What the main window owns, created empty in this order before its first message and
// destroyed in reverse order at exit. Nothing of it is saved at exit.
struct ShellState {
    // The numbers of the last successful clipboard read.
    CapturedNumberList capturedNumbers;
    // The number the box was last filled from; the copied side of a dialed pair.
    PhoneNumber proposedNumber;
    PairList history;
    RuleSet workingRules;
    RuleSet storedRules;
    // Data files that were there but could not be read: none is replaced before it is read.
    bool historyUnread = false;
    bool rulesUnread = false;
};

// The working rules derived afresh from the stored rules and the history, in reverse order.
void rederiveWorkingRules(ShellState& state);

// Load the data files at start-up, noting a file that is there but cannot be read now.
void loadDataFiles(DataFiles& files, ShellState& state);

// Save a data file. One that could not be read before is read first, and what it holds joins
// what was learned meanwhile (its pairs in front; the rules the user decided on meanwhile win
// over its rules of the same pattern); while it still cannot be read, nothing is written and
// the result is false.
bool saveHistoryOf(DataFiles& files, ShellState& state);
bool saveRulesOf(DataFiles& files, ShellState& state);

} // namespace vellix
