#pragma once

#include "rules/dialing_rule.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace vellix {

// Answers coveredByMoreGeneral for many patterns against one bucket without comparing every
// rule with every other. A rule whose pattern has the learned form (literal leading groups,
// then groups of wildcards, spaces between) can only cover a pattern if it holds one of that
// pattern's widenings, which are looked up; the few other rules are tried one by one. The
// support of a covering rule is counted per leading groups once, not pair by pair per query.
//
// Reads the rules' current enabled flags, so a bucket may switch rules off between queries;
// patterns and supports must not change while the index is in use.
class ShadowIndex {
public:
    explicit ShadowIndex(const RuleSet& bucket);

    // Same answer as coveredByMoreGeneral(pattern, pairs, bucket).
    bool covered(const char* pattern, std::size_t pairs) const;

private:
    bool covers(std::size_t rule, const char* pattern, std::size_t pairs) const;
    std::size_t countMatching(std::size_t rule, const char* pattern) const;

    const RuleSet& bucket_;
    std::unordered_map<std::string, std::vector<std::size_t>> learnedForm_;
    std::vector<std::size_t> otherForm_;
    // Per rule, built when first needed: its support pairs counted by leading groups and shape.
    mutable std::vector<std::unordered_map<std::string, std::size_t>> pairsByLead_;
    mutable std::vector<bool> counted_;
};

} // namespace vellix
