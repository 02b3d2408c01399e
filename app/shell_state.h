#pragma once

#include "capture/captured_number.h"
#include "capture/phone_number.h"
#include "rules/dialing_rule.h"
#include "rules/number_pair.h"

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
};

// The working rules derived afresh from the stored rules and the history, in reverse order.
void rederiveWorkingRules(ShellState& state);

} // namespace vellix
