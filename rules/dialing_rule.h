#pragma once

#include "capture/phone_number.h"
#include "rules/number_pair.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vellix {

// Orders rules from specific to general; compared field by field in this order.
struct RuleRankKey {
    std::int32_t wildcardGroups = 0;  // groups from the first wildcard group to the end
    std::int32_t distinctSupport = 0; // supporting pairs that differ within the pattern
    std::int32_t keptDigits = 0;
    std::int32_t prefixLength = 0;
};

// Numbers that look like the pattern are dialed as the dial prefix followed by their last
// keptDigits pattern characters (with the spaces between them).
class DialingRule {
public:
    static constexpr std::size_t CAPACITY = PhoneNumber::CAPACITY;
    // Always holds a replacement text: the dial prefix and the whole pattern.
    static constexpr std::size_t REPLACEMENT_CAPACITY = 2 * CAPACITY;

    // A learned rule seeded by one pair; its pattern is set by generalizeToSupport.
    static DialingRule fromPair(const NumberPair& pair);
    // A rule as the user reads and writes it ("Dial <pattern> as <replacement>"), the one
    // reader of a rule's text. The pattern is groups of digits, '#', '*' and 'x' (either case)
    // one blank apart, a '+' in front. In the replacement an 'x' (either case) stands for the
    // number's character in that place counted from the end; digits, '#', '*' and '+' in front
    // of the x's are dialed as written. Refused (no rule) for any other character, x's that are
    // not the replacement's end, more x's than the pattern has places, x's that do not start
    // at one of its groups, an empty replacement, and texts that do not fit their fields. Every
    // rule reads back from replacementText as the rule that showed it.
    static std::optional<DialingRule> fromText(const char* pattern, const char* replacement,
                                               bool enabled, bool verified);

    const char* patternText() const;
    // The replacement as the user sees it: the prefix, then an 'x' for every kept character,
    // grouped as the pattern is ("8 xxxx", "9 1 xxx xxx xxxx"). Writes nothing for a null out;
    // never writes more than size bytes.
    void replacementText(char* out, std::size_t size) const;

    bool isEnabled() const;
    void setEnabled(bool enabled);
    bool isVerified() const;
    void confirm();
    void setVerified(bool verified);

    // Whether a digit form has the pattern's exact length and shape.
    bool matches(const char* digitForm) const;
    // The number dialed this rule's way; none when it is too short or the result would
    // not be a valid number text. Does not check matches.
    std::optional<PhoneNumber> apply(const PhoneNumber& number) const;

    // The cached key, computed when stale.
    const RuleRankKey& rankKey() const;
    void computeRankKey() const;
    // Keys computed so far by this process; lets tests see that keys are reused.
    static std::uint64_t rankKeyComputations();

    bool samePattern(const DialingRule& other) const;
    int countSupportMatching(const char* pattern) const;

    // Learner steps.
    void addSupport(const NumberPair& pair);
    void clearSupport();
    // Drops the group counts that only learning uses, which a rule read from the rules file
    // has none of.
    void clearLearningCounts();
    // Room for this many support pairs, so that adding them copies each pair once.
    void reserveSupport(std::size_t pairs);
    void generalizeToSupport();
    // Widening stops at the fixed groups: a country code the rule does not keep is part of what
    // it dials in front ("+44 20 xxxx xxxx" as "9 011 44 20 xxxx xxxx"), and widening it would
    // dial another country's number with this one's code.
    std::int32_t fixedGroups() const;
    void generalizeOneGroup();
    void generalizeFully();
    bool isShadowed(const std::vector<DialingRule>& rules) const;
    // The pattern generalizeOneGroup would give, without changing the rule.
    void widenedPattern(char (&out)[CAPACITY]) const;

    const std::vector<NumberPair>& support() const { return support_; }
    const char* dialPrefix() const { return dialPrefix_; }
    std::int32_t prefixLength() const { return prefixLength_; }
    std::int32_t keptDigits() const { return keptDigits_; }
    std::int32_t literalGroups() const { return literalGroups_; }
    std::int32_t generalizedGroups() const { return generalizedGroups_; }

private:
    PairList support_;
    mutable RuleRankKey rankKey_;
    mutable bool rankKeyValid_ = false;
    char pattern_[CAPACITY] = {};
    std::int32_t literalGroups_ = 0;
    std::int32_t generalizedGroups_ = 0;
    char dialPrefix_[CAPACITY] = {};
    std::int32_t prefixLength_ = 0;
    std::int32_t keptDigits_ = 0;
    bool verified_ = false;
    bool enabled_ = true;
};

// The rules in one list; the list owns them.
using RuleSet = std::vector<DialingRule>;

// Distinct supporting pairs for a pattern with w wildcard groups.
std::int32_t distinctSupport(const PairList& pairs, std::int32_t w);
// Leading groups that all pairs' copied numbers have in common.
std::int32_t minSharedLeadingGroups(const PairList& pairs);

// Whether some rule of the list has exactly the rule's pattern.
bool patternTaken(const DialingRule& rule, const RuleSet& rules);
bool patternTaken(const char* pattern, const RuleSet& rules);

// Whether an enabled rule of the list with another pattern, at least as general as the given
// one, has at least `pairs` supporting pairs that match the given pattern. An enabled,
// unverified rule with that pattern and that many pairs is then shadowed.
bool coveredByMoreGeneral(const char* pattern, std::size_t pairs, const RuleSet& rules);

int compareRankKeys(const DialingRule& a, const DialingRule& b);
bool rankKeyGreater(const DialingRule& a, const DialingRule& b);
int compareForApplication(const DialingRule& a, const DialingRule& b);
bool appliesBefore(const DialingRule& a, const DialingRule& b);
int comparePatternGroups(const DialingRule& a, const DialingRule& b);
bool precedesForDeduplication(const DialingRule& a, const DialingRule& b);
bool shapeGreater(const DialingRule& a, const DialingRule& b);

// A number's dial strings in application order. Those of enabled rules come first; a
// disabled rule's string is there to be picked by hand, never proposed.
struct DialStrings {
    std::vector<PhoneNumber> numbers;
    std::size_t fromEnabledRules = 0;
};

// Sorts rules into application order in place, then rewrites the number by every rule
// that matches it, in that order.
DialStrings rankedDialStrings(const PhoneNumber& number, RuleSet& rules);
std::vector<PhoneNumber> dialStringsFor(const PhoneNumber& number, RuleSet& rules);

// Copies of the verified rules, in order, with their support, held as the rules file gives
// them back: without learning counts, so that a stored rule works the same before and after
// a restart.
RuleSet extractStoredRules(const RuleSet& rules);

} // namespace vellix
