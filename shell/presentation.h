#pragma once

#include "capture/captured_number.h"
#include "capture/phone_number.h"
#include "rules/dialing_rule.h"
#include "shell/desktop.h"

namespace vellix {

// Proposes entry 0 of a fresh capture, switches the toolbar to the single or the several
// layout and shows the main window. An empty list changes nothing.
void presentCapturedNumbers(Desktop& desktop, const CapturedNumberList& numbers,
                            PhoneNumber& proposedNumber, RuleSet& workingRules);

// Shows the entry's kind on the number button and fills the number box from it; the
// layout and the window's visibility stay.
void presentNumber(Desktop& desktop, const CapturedNumber& entry, PhoneNumber& proposedNumber,
                   RuleSet& workingRules);

// Refills the number box with the number's digit form and then the dial strings the working
// rules make of it (those equal to the digit form left out), each followed by the number's
// extension (" x204"), and selects the first dial string of an enabled rule, or else the
// digit form. The number becomes the proposed one.
// Puts the working rules into ranking order.
void fillNumberBox(Desktop& desktop, const PhoneNumber& number, PhoneNumber& proposedNumber,
                   RuleSet& workingRules);

} // namespace vellix
