// The learner's promises checked over many generated histories, and the optimised steps
// checked against straightforward versions that erase, append and re-sort as they go.

#include "rules/rule_learning.h"

#include "capture/digit_string.h"
#include "rule_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace vellix {
namespace {

using test::describe;
using test::HistoryGenerator;
using test::ruleFromText;

using Lines = std::vector<std::string>;

constexpr std::uint32_t SEEDS = 40;

Lines sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Digit forms and patterns of one shape map to the same text.
std::string shapeOf(const char* s) {
    std::string shape(s);
    for (char& c : shape)
        c = isPatternChar(c) ? 'x' : ' ';
    return shape;
}

struct Scenario {
    RuleSet stored;
    PairList history;
};

// Stored rules drawn from rules a user might confirm, some of them switched off.
Scenario scenario(std::uint32_t seed) {
    HistoryGenerator generator(seed);
    static const char* const rules[][2] = {{"xxx xxx xxxx", "9 1 xxx xxx xxxx"},
                                           {"412 268 xxxx", "8 xxxx"},
                                           {"xxx xxxx", "9 xxx xxxx"},
                                           {"650 555 xxxx", "5 xxxx"},
                                           {"1 xxx xxx xxxx", "9 1 xxx xxx xxxx"},
                                           {"xxx xxx xxxx xx", "xx"},
                                           {"412 xxx xxxx", "8 xxxx"},
                                           {"xxx xxx xxxx", "7 xxxx"}};
    Scenario s;
    for (const auto& rule : rules) {
        if (generator.pick(3) == 0)
            s.stored.push_back(ruleFromText(rule[0], rule[1], generator.pick(4) != 0));
    }
    s.history = generator.history(50 + generator.pick(400));
    return s;
}

// The steps as first written: erase claimed pairs in place, sort the pairs themselves,
// re-sort the whole bucket after every split.
bool explains(const DialingRule& rule, const NumberPair& pair) {
    const std::optional<PhoneNumber> dialed = rule.apply(pair.copied);
    return dialed && std::strcmp(dialed->digitForm(), pair.dialed.digitForm()) == 0 &&
           rule.matches(pair.copied.digitForm());
}

void literalClaimPairs(RuleSet& stored, PairList& history) {
    for (DialingRule& rule : stored)
        rule.clearSupport();
    std::stable_sort(stored.begin(), stored.end(), rankKeyGreater);
    for (DialingRule& rule : stored) {
        for (std::size_t i = 0; i < history.size();) {
            if (explains(rule, history[i])) {
                rule.addSupport(history[i]);
                history.erase(history.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
    }
}

RuleSet literalGroupHistory(PairList& history) {
    RuleSet candidates;
    std::stable_sort(history.begin(), history.end(), rewriteKindGreater);
    for (std::size_t i = 0; i < history.size(); ++i) {
        if (i > 0 && compareRewriteKind(history[i], history[i - 1]) == 0)
            candidates.back().addSupport(history[i]);
        else
            candidates.push_back(DialingRule::fromPair(history[i]));
    }
    return candidates;
}

void literalResolveDuplicatePatterns(RuleSet& bucket) {
    if (bucket.size() < 2)
        return;
    std::stable_sort(bucket.begin(), bucket.end(), precedesForDeduplication);
    RuleSet kept{bucket.back()};
    bucket.pop_back();
    while (!bucket.empty()) {
        const DialingRule rule = bucket.back();
        bucket.pop_back();
        if (rule.samePattern(kept.back()) && !rule.isVerified() && rule.support().size() >= 2) {
            const RuleSet parts = splitRule(rule);
            bucket.insert(bucket.end(), parts.begin(), parts.end());
            std::stable_sort(bucket.begin(), bucket.end(), precedesForDeduplication);
        } else {
            kept.push_back(rule);
        }
    }
    bucket = kept;
}

TEST(LearnerSteps, ClaimPairsAgreesWithErasingInPlace) {
    std::size_t claimed = 0;
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        Scenario fast = scenario(seed);
        Scenario slow = fast;
        claimPairs(fast.stored, fast.history);
        literalClaimPairs(slow.stored, slow.history);
        ASSERT_EQ(describe(fast.stored), describe(slow.stored)) << "seed " << seed;
        ASSERT_EQ(describe(fast.history), describe(slow.history)) << "seed " << seed;
        claimed += scenario(seed).history.size() - fast.history.size();
    }
    EXPECT_GT(claimed, 0U);
}

TEST(LearnerSteps, GroupHistoryAgreesWithSortingThePairs) {
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        PairList fast = scenario(seed).history;
        PairList slow = fast;
        const RuleSet fastCandidates = groupHistory(fast);
        const RuleSet slowCandidates = literalGroupHistory(slow);
        ASSERT_EQ(describe(fast), describe(slow)) << "seed " << seed;
        ASSERT_EQ(describe(fastCandidates), describe(slowCandidates)) << "seed " << seed;
    }
}

// Buckets with many equal patterns: candidates of one shape, widened at random, and some
// confirmed copies.
RuleSet bucketWithDuplicates(std::uint32_t seed) {
    HistoryGenerator generator(seed, 40);
    PairList history = generator.history(200);
    RuleSet candidates = groupHistory(history);
    for (DialingRule& candidate : candidates)
        candidate.generalizeToSupport();
    std::vector<RuleSet> buckets = bucketByShape(candidates);
    RuleSet bucket =
        *std::max_element(buckets.begin(), buckets.end(),
                          [](const RuleSet& a, const RuleSet& b) { return a.size() < b.size(); });
    const std::size_t size = bucket.size();
    for (std::size_t i = 0; i < size; ++i) {
        switch (generator.pick(5)) {
        case 0:
            bucket[i].generalizeFully();
            break;
        case 1:
            bucket[i].generalizeOneGroup();
            break;
        case 2:
            bucket.push_back(bucket[i]);
            bucket.back().confirm();
            break;
        default:
            break;
        }
    }
    return bucket;
}

TEST(LearnerSteps, ResolveDuplicatePatternsAgreesWithReSortingAfterEachSplit) {
    // The re-sorting version is slow under the sanitizers: fewer seeds here.
    constexpr std::uint32_t buckets = SEEDS / 2;
    int splitting = 0;
    for (std::uint32_t seed = 1; seed <= buckets; ++seed) {
        RuleSet fast = bucketWithDuplicates(seed);
        RuleSet slow = fast;
        const std::size_t before = fast.size();
        resolveDuplicatePatterns(fast);
        literalResolveDuplicatePatterns(slow);
        ASSERT_EQ(describe(fast), describe(slow)) << "seed " << seed;
        splitting += fast.size() != before ? 1 : 0;
    }
    // The comparison means something only when rules were split.
    EXPECT_GT(splitting, static_cast<int>(buckets) / 2);
}

TEST(LearnerPromises, EveryPairSupportsExactlyOneRule) {
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        const Scenario s = scenario(seed);
        const RuleSet rules = deriveWorkingRules(s.stored, s.history);
        ASSERT_EQ(sorted(describe(extractHistory(rules))), sorted(describe(s.history)))
            << "seed " << seed;
        for (const DialingRule& rule : rules) {
            for (const NumberPair& pair : rule.support())
                EXPECT_TRUE(rule.matches(pair.copied.digitForm())) << describe(rule);
        }
    }
}

TEST(LearnerPromises, LearnedPatternsAreLiteralGroupsThenWildcardGroups) {
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        const Scenario s = scenario(seed);
        for (const DialingRule& rule : deriveWorkingRules(s.stored, s.history)) {
            if (rule.isVerified())
                continue;
            const std::string pattern = rule.patternText();
            int group = 0;
            for (std::size_t i = 0; i < pattern.size(); ++i) {
                if (pattern[i] == ' ') {
                    ++group;
                    continue;
                }
                EXPECT_EQ(pattern[i] == 'x', group >= rule.literalGroups()) << pattern;
            }
            EXPECT_EQ(rule.literalGroups() + rule.generalizedGroups(), countGroups(pattern.c_str()))
                << pattern;
        }
    }
}

TEST(LearnerPromises, DerivingFromTheExtractedRulesAndHistoryDoublesNothing) {
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        const Scenario s = scenario(seed);
        RuleSet first = deriveWorkingRules(s.stored, s.history);
        const RuleSet again = deriveWorkingRules(extractStoredRules(first), extractHistory(first));
        ASSERT_EQ(sorted(describe(extractHistory(again))), sorted(describe(s.history)))
            << "seed " << seed;

        // The user confirms some learned rules in the dialog, which then claim their pairs.
        std::mt19937 random(seed);
        for (DialingRule& rule : first) {
            if (random() % 3 == 0)
                rule.confirm();
        }
        const RuleSet confirmed =
            deriveWorkingRules(extractStoredRules(first), extractHistory(first));
        ASSERT_EQ(sorted(describe(extractHistory(confirmed))), sorted(describe(s.history)))
            << "seed " << seed;
        const auto verifiedCount = [](const RuleSet& rules) {
            return std::count_if(rules.begin(), rules.end(),
                                 [](const DialingRule& rule) { return rule.isVerified(); });
        };
        EXPECT_EQ(verifiedCount(confirmed), verifiedCount(first));
    }
}

TEST(LearnerPromises, VerifiedRulesAreNeverWidenedOrSwitchedOff) {
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        const Scenario s = scenario(seed);
        RuleSet expected = s.stored;
        for (DialingRule& rule : expected)
            rule.clearSupport();
        RuleSet verified;
        for (const DialingRule& rule : deriveWorkingRules(s.stored, s.history)) {
            if (rule.isVerified()) {
                verified.push_back(rule);
                verified.back().clearSupport();
            }
        }
        EXPECT_EQ(sorted(describe(verified)), sorted(describe(expected))) << "seed " << seed;
    }
}

TEST(LearnerPromises, RulesOfDifferentShapesNeverAffectEachOther) {
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        const Scenario s = scenario(seed);
        std::map<std::string, Scenario> byShape;
        for (const DialingRule& rule : s.stored)
            byShape[shapeOf(rule.patternText())].stored.push_back(rule);
        for (const NumberPair& pair : s.history)
            byShape[shapeOf(pair.copied.digitForm())].history.push_back(pair);

        std::map<std::string, Lines> together;
        for (const DialingRule& rule : deriveWorkingRules(s.stored, s.history))
            together[shapeOf(rule.patternText())].push_back(describe(rule));
        ASSERT_GT(byShape.size(), 2U);
        for (const auto& [shape, part] : byShape) {
            EXPECT_EQ(together[shape], describe(deriveWorkingRules(part.stored, part.history)))
                << "seed " << seed << " shape '" << shape << "'";
        }
    }
}

TEST(LearnerPromises, DialStringsLeaveTheRulesInApplicationOrder) {
    for (std::uint32_t seed = 1; seed <= SEEDS; ++seed) {
        const Scenario s = scenario(seed);
        RuleSet rules = deriveWorkingRules(s.stored, s.history);
        std::reverse(rules.begin(), rules.end()); // as the shell keeps them
        HistoryGenerator numbers(seed + 1000);
        const NumberPair probe = numbers.nextPair();
        const std::vector<PhoneNumber> dialed = dialStringsFor(probe.copied, rules);
        EXPECT_TRUE(std::is_sorted(rules.begin(), rules.end(), appliesBefore));
        const auto first = std::find_if(rules.begin(), rules.end(), [&](const DialingRule& rule) {
            return rule.matches(probe.copied.digitForm()) && rule.apply(probe.copied);
        });
        ASSERT_EQ(first == rules.end(), dialed.empty());
        if (!dialed.empty()) {
            EXPECT_STREQ(dialed.front().text(), first->apply(probe.copied)->text());
        }
    }
}

} // namespace
} // namespace vellix
