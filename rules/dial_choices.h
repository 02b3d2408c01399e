#pragma once

#include "capture/phone_number.h"
#include "rules/dialing_rule.h"

#include <cstddef>
#include <vector>

namespace vellix {

// What the number box offers for a number: its digit form, then the dial strings the rules
// make of it, each once and none equal to the digit form, and which of them it selects.
struct DialChoices {
    std::vector<PhoneNumber> items;
    std::size_t selected = 0;
    // Whether any rule rewrote the number, even to its own digit form.
    bool rewritten = false;
};

// Puts the rules into application order. The selected item is the first dial string of an
// enabled rule; a switched-off rule's string is offered but never selected, so without an
// enabled rule's string the digit form is.
DialChoices dialChoicesFor(const PhoneNumber& number, RuleSet& rules);

} // namespace vellix
