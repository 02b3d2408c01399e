#pragma once

#include "rules/dialing_rule.h"
#include "rules/number_pair.h"

#include <vector>

namespace vellix {

// The working rules: every history pair explained by exactly one rule, stored rules first
// claiming the pairs they explain, the rest grouped into learned rules and widened.
RuleSet deriveWorkingRules(RuleSet storedRules, PairList history);

// The support of every rule, rule after rule.
PairList extractHistory(const RuleSet& rules);

// Steps of deriveWorkingRules.
void claimPairs(RuleSet& storedRules, PairList& history);
RuleSet groupHistory(PairList& history);
std::vector<RuleSet> bucketByShape(RuleSet& rules);
void seedCatchAll(RuleSet& bucket);
void resolveDuplicatePatterns(RuleSet& bucket);
void switchOffShadowed(RuleSet& bucket);
void widenRules(RuleSet& bucket);
RuleSet splitRule(const DialingRule& rule);
bool canGeneralize(const DialingRule& rule, const RuleSet& bucket);

} // namespace vellix
