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
// Makes the leading learned rule of a bucket take every number of its shape, unless the bucket
// already leads with a fully general or stored rule.
void seedCatchAll(RuleSet& bucket);
// A learned rule of several pairs whose pattern is already kept gives way to its parts.
void resolveDuplicatePatterns(RuleSet& bucket);
// Switches off learned rules that a more general enabled rule already accounts for.
void switchOffShadowed(RuleSet& bucket);
// Widens each learned rule group by group while the wider pattern is free and not shadowed.
void widenRules(RuleSet& bucket);
// The rule broken into rules one group more specific, each with the pairs that share it.
RuleSet splitRule(const DialingRule& rule);
// Whether the rule may widen by one group within its bucket.
bool canGeneralize(const DialingRule& rule, const RuleSet& bucket);

} // namespace vellix
