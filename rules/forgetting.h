#pragma once

#include "rules/dialing_history.h"
#include "rules/dialing_rule.h"

#include <cstdint>
#include <vector>

namespace vellix {

// When the way a kind of number is dialed changes (the office renumbers, the user moves,
// the phone system drops its 9), the pairs dialed the old way must stop counting, or the
// old rule keeps its pattern and every new dial becomes a rule of its own number.
//
// A learned rule is overruled when the latest dials it was responsible for were all dialed
// another way: OVERRULING_DIALS of them for a rule learned from several numbers; for a rule
// learned from one number, dials of that number, as many as it has pairs up to that count. A
// rule is responsible for a dial when it makes the first dial string of the copied number,
// and the first rule learned from other numbers also for the numbers that a rule of that
// number alone takes from it; there only a number dialed a new way counts against it (a
// contact always dialed with *67 in front does not, again and again). So one exception never
// turns a well-supported rule over, and a rule of one number follows the user's latest dial
// of it. Confirmed rules are never overruled.
constexpr std::int32_t OVERRULING_DIALS = 3;

// The history's positions holding pairs that rules of working (derived from the history's
// learning pairs) lose by being overruled: the pairs of the rule's kinds that match its
// pattern and were dialed before the dials that overruled it. Empty when nothing is.
std::vector<bool> overruledPairs(const DialingHistory& history, const RuleSet& working);

// The working rules of the stored rules and the history, after the history has forgotten
// the pairs of overruled rules; forgot tells whether it did.
RuleSet learnWorkingRules(const RuleSet& storedRules, DialingHistory& history, bool& forgot);

// After the Dialing Rules dialog turned the rules before into the rules after, deleting rules
// or editing them: the history forgets the pairs that the rules after no longer hold, and
// with them the older pairs of the same kinds in the patterns of the rules that held them,
// which learning does not see but would see again, and so bring a deleted rule back.
// True when it forgot any.
bool forgetDroppedPairs(DialingHistory& history, const RuleSet& before, const RuleSet& after);

} // namespace vellix
