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
// Moves the pairs each stored rule explains from the history into its support.
void claimPairs(RuleSet& storedRules, PairList& history);
// Sorts the history by rewriting kind and seeds one candidate per kind.
RuleSet groupHistory(PairList& history);
// Sorts the rules by shape, longest first, and deals them into one bucket per shape.
std::vector<RuleSet> bucketByShape(RuleSet rules);
void seedCatchAll(RuleSet& bucket);
void resolveDuplicatePatterns(RuleSet& bucket);
void switchOffShadowed(RuleSet& bucket);
void widenRules(RuleSet& bucket);
RuleSet splitRule(const DialingRule& rule);
bool canGeneralize(const DialingRule& rule, const RuleSet& bucket);

} // namespace vellix
