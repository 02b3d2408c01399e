#include "rules/shadow_index.h"

#include "rules/rule_learning.h"

#include "rule_test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vellix {
namespace {

using test::learnedRule;
using test::pairOf;
using test::ruleFromText;

// Covers 412 268 1111 and 412 268 2222, and with them any rule of those numbers.
const DialingRule OFFICE =
    learnedRule({pairOf("412 268 1111", "7 1111"), pairOf("412 268 2222", "7 2222"),
                 pairOf("412 555 3333", "7 3333")});

TEST(ShadowIndex, FindsLearnedAndHandWrittenCoveringRules) {
    struct Case {
        const char* covering; // pattern of a rule with OFFICE's support
        const char* pattern;
        std::size_t pairs;
        bool covered;
    };
    const Case cases[] = {
        {"412 xxx xxxx", "412 268 xxxx", 2, true},
        {"412 xxx xxxx", "412 268 xxxx", 3, false},
        {"412 xxx xxxx", "412 268 1111", 1, true},
        {"412 xxx xxxx", "412 268 9999", 1, false},
        {"412 xxx xxxx", "412 xxx xxxx", 0, false}, // an equal pattern never covers
        {"xxx xxx xxxx", "412 xxx xxxx", 3, true},
        {"xxx xxx xxxx", "412-268-xxxx", 2, true}, // separators match separators
        {"412 xxx xxxx", "412 268 xxxx", 1, true},
        {"4x2 xxx xxxx", "412 268 1111", 1, true},
        {"4x2 xxx xxxx", "412 2x8 xxxx", 0, true},
        {"412 2x8 xxxx", "412 268 1111", 1, true},
        {"412 2x8 xxxx", "412 555 3333", 1, false},
        {"xxx xxx xxxx", "412 2680 111", 0, false}, // another shape
        {"412 268 xxxx", "412 xxx xxxx", 0, false}, // less general
    };
    for (const Case& c : cases) {
        std::optional<DialingRule> covering = DialingRule::fromText(c.covering, "9", true, false);
        ASSERT_TRUE(covering.has_value());
        for (const NumberPair& pair : OFFICE.support())
            covering->addSupport(pair);
        const RuleSet bucket{ruleFromText("650 xxx xxxx", "9"), *covering};
        EXPECT_EQ(coveredByMoreGeneral(c.pattern, c.pairs, bucket), c.covered)
            << c.covering << " over " << c.pattern;
        EXPECT_EQ(ShadowIndex(bucket).covered(c.pattern, c.pairs), c.covered)
            << c.covering << " over " << c.pattern;
    }
}

TEST(ShadowIndex, SeesRulesSwitchedOffAfterItWasBuilt) {
    RuleSet bucket{OFFICE, learnedRule({pairOf("412 268 1111", "7 1111")})};
    const ShadowIndex index(bucket);
    EXPECT_TRUE(index.covered("412 268 1111", 1));
    bucket[0].setEnabled(false);
    EXPECT_FALSE(index.covered("412 268 1111", 1));
}

// Buckets of learned rules in every state, with hand-written rules among them.
RuleSet randomBucket(std::uint32_t seed) {
    test::HistoryGenerator generator(seed, 30, 30);
    PairList history = generator.history(150 + generator.pick(150));
    RuleSet rules = groupHistory(history);
    for (DialingRule& rule : rules)
        rule.generalizeToSupport();
    static const char* const written[] = {"412 268 xxxx", "412 26x xxxx", "4x2 xxx xxxx",
                                          "xxx 268 xxxx", "412 2x8 1xxx", "xxx xxx xxxx",
                                          "xxx xxxx",     "555 xxxx",     "1 412 xxx xxxx"};
    for (const char* pattern : written) {
        if (generator.pick(2) == 0)
            rules.push_back(
                ruleFromText(pattern, "9", generator.pick(3) != 0, generator.pick(2) == 0));
    }
    for (DialingRule& rule : rules) {
        switch (generator.pick(6)) {
        case 0:
            rule.generalizeFully();
            break;
        case 1:
            rule.generalizeOneGroup();
            break;
        case 2:
            rule.setEnabled(false);
            break;
        default:
            break;
        }
    }
    std::vector<RuleSet> buckets = bucketByShape(rules);
    return buckets[generator.pick(buckets.size())];
}

TEST(ShadowIndex, AgreesWithCheckingEveryRule) {
    int coveredSeen = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        const RuleSet bucket = randomBucket(seed);
        const ShadowIndex index(bucket);
        for (const DialingRule& rule : bucket) {
            for (const std::size_t pairs :
                 {std::size_t{0}, std::size_t{1}, std::size_t{2}, rule.support().size()}) {
                const bool expected = coveredByMoreGeneral(rule.patternText(), pairs, bucket);
                ASSERT_EQ(index.covered(rule.patternText(), pairs), expected)
                    << "seed " << seed << ": " << rule.patternText() << " with " << pairs;
                coveredSeen += expected ? 1 : 0;
            }
        }
    }
    EXPECT_GT(coveredSeen, 100);
}

TEST(SwitchOffShadowed, AgreesWithAskingEveryRule) {
    int switchedOff = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        const RuleSet given = randomBucket(seed);
        RuleSet fast = given;
        RuleSet slow = given;
        switchOffShadowed(fast);
        for (DialingRule& rule : slow) {
            if (rule.isShadowed(slow))
                rule.setEnabled(false);
        }
        ASSERT_EQ(test::describe(fast), test::describe(slow)) << "seed " << seed;
        for (std::size_t i = 0; i < fast.size(); ++i)
            switchedOff += fast[i].isEnabled() != given[i].isEnabled() ? 1 : 0;
    }
    EXPECT_GT(switchedOff, 20);
}

} // namespace
} // namespace vellix
