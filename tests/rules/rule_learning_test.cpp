#include "rules/rule_learning.h"

#include "rule_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellix {
namespace {

using test::describe;
using test::learnedRule;
using test::pairOf;
using test::replacementOf;
using test::ruleFromText;

using Lines = std::vector<std::string>;

std::string keyOf(const DialingRule& rule) {
    const RuleRankKey& k = rule.rankKey();
    return std::to_string(k.wildcardGroups) + " " + std::to_string(k.distinctSupport) + " " +
           std::to_string(k.keptDigits) + " " + std::to_string(k.prefixLength);
}

Lines patternsOf(const RuleSet& rules) {
    Lines patterns;
    for (const DialingRule& rule : rules)
        patterns.emplace_back(std::string(rule.patternText()) + " as " + replacementOf(rule));
    return patterns;
}

Lines dialStrings(const char* number, RuleSet& rules) {
    Lines texts;
    for (const PhoneNumber& dialed : dialStringsFor(PhoneNumber(number), rules))
        texts.emplace_back(dialed.text());
    return texts;
}

const NumberPair OFFICE_A = pairOf("412 268 1234", "8 1234");
const NumberPair OFFICE_B = pairOf("412 268 5678", "8 5678");
const NumberPair LONG_DISTANCE = pairOf("650 555 0000", "9 1 650 555 0000");

TEST(DeriveWorkingRules, WorkedExample) {
    const PairList history{OFFICE_A, OFFICE_B, LONG_DISTANCE};
    RuleSet rules = deriveWorkingRules({}, history);

    ASSERT_EQ(rules.size(), 2U);
    const DialingRule& catchAll = rules[0];
    EXPECT_STREQ(catchAll.patternText(), "xxx xxx xxxx");
    EXPECT_EQ(replacementOf(catchAll), "8 xxxx");
    EXPECT_EQ(keyOf(catchAll), "3 1 4 2");
    EXPECT_EQ(describe(catchAll.support()), describe(PairList{OFFICE_A, OFFICE_B}));
    const DialingRule& outside = rules[1];
    EXPECT_STREQ(outside.patternText(), "650 xxx xxxx");
    EXPECT_EQ(replacementOf(outside), "9 1 xxx xxx xxxx");
    EXPECT_EQ(outside.literalGroups(), 1);
    EXPECT_EQ(outside.generalizedGroups(), 2);
    for (const DialingRule& rule : rules) {
        EXPECT_TRUE(rule.isEnabled());
        EXPECT_FALSE(rule.isVerified());
    }

    EXPECT_EQ(dialStrings("650 123 4567", rules), (Lines{"9 1 650 123 4567", "8 4567"}));
    EXPECT_EQ(dialStrings("212 555 1234", rules), (Lines{"8 1234"}));
}

TEST(DeriveWorkingRules, WorkedExampleStepByStep) {
    PairList history{OFFICE_A, OFFICE_B, LONG_DISTANCE};
    RuleSet candidates = groupHistory(history);
    ASSERT_EQ(candidates.size(), 2U);
    for (DialingRule& candidate : candidates)
        candidate.generalizeToSupport();
    EXPECT_EQ(patternsOf(candidates),
              (Lines{"650 555 0000 as 9 1 xxx xxx xxxx", "412 268 xxxx as 8 xxxx"}));
    EXPECT_EQ(keyOf(candidates[0]), "0 1 10 4");
    EXPECT_EQ(keyOf(candidates[1]), "1 2 4 2");

    std::vector<RuleSet> buckets = bucketByShape(candidates);
    ASSERT_EQ(buckets.size(), 1U);
    RuleSet& bucket = buckets[0];
    seedCatchAll(bucket);
    EXPECT_EQ(patternsOf(bucket),
              (Lines{"xxx xxx xxxx as 8 xxxx", "650 555 0000 as 9 1 xxx xxx xxxx"}));
    resolveDuplicatePatterns(bucket);
    switchOffShadowed(bucket);
    EXPECT_TRUE(bucket[0].isEnabled() && bucket[1].isEnabled());
    EXPECT_TRUE(canGeneralize(bucket[1], bucket));
    widenRules(bucket);
    EXPECT_EQ(patternsOf(bucket),
              (Lines{"xxx xxx xxxx as 8 xxxx", "650 xxx xxxx as 9 1 xxx xxx xxxx"}));
    EXPECT_FALSE(canGeneralize(bucket[0], bucket));
    EXPECT_FALSE(canGeneralize(bucket[1], bucket));
}

TEST(DeriveWorkingRules, NothingGivesNothing) {
    EXPECT_TRUE(deriveWorkingRules({}, {}).empty());
    EXPECT_TRUE(extractHistory({}).empty());
}

TEST(DeriveWorkingRules, StoredRulesAloneComeBackUnchangedInShapeOrder) {
    DialingRule withSupport = ruleFromText("412 268 xxxx", "8 xxxx");
    withSupport.addSupport(OFFICE_A);
    const RuleSet stored{ruleFromText("xxx xxxx", "9 xxx xxxx", false),
                         ruleFromText("xxx xxx xxxx", "9 1 xxx xxx xxxx"), withSupport};
    const RuleSet rules = deriveWorkingRules(stored, {});
    // Longer patterns first; the more general first within a shape.
    EXPECT_EQ(describe(rules),
              (Lines{"xxx xxx xxxx as 9 1 xxx xxx xxxx on verified literal=0 "
                     "generalized=0 []",
                     "412 268 xxxx as 8 xxxx on verified literal=0 generalized=0 []",
                     "xxx xxxx as 9 xxx xxxx off verified literal=0 "
                     "generalized=0 []"}));
}

TEST(DeriveWorkingRules, OnePairBecomesTheCatchAllOfItsShape) {
    const RuleSet rules = deriveWorkingRules({}, {OFFICE_A});
    ASSERT_EQ(rules.size(), 1U);
    EXPECT_STREQ(rules[0].patternText(), "xxx xxx xxxx");
    EXPECT_EQ(replacementOf(rules[0]), "8 xxxx");
    EXPECT_TRUE(rules[0].isEnabled());
    EXPECT_FALSE(rules[0].isVerified());
}

TEST(DeriveWorkingRules, AStoredRuleTakesThePairsItExplains) {
    const RuleSet stored{ruleFromText("412 268 xxxx", "8 xxxx")};
    const RuleSet rules = deriveWorkingRules(stored, {OFFICE_A, LONG_DISTANCE, OFFICE_B});
    ASSERT_EQ(rules.size(), 2U);
    const DialingRule& office = rules[0].isVerified() ? rules[0] : rules[1];
    const DialingRule& learned = rules[0].isVerified() ? rules[1] : rules[0];
    EXPECT_STREQ(office.patternText(), "412 268 xxxx");
    EXPECT_EQ(describe(office.support()), describe(PairList{OFFICE_A, OFFICE_B}));
    EXPECT_EQ(describe(learned.support()), describe(PairList{LONG_DISTANCE}));
    // What the dialog's OK keeps of the history: the stored rule's pairs come back with it.
    EXPECT_EQ(describe(extractHistory(extractStoredRules(rules))),
              describe(PairList{OFFICE_A, OFFICE_B}));
}

TEST(DeriveWorkingRules, APairNoRuleCanRewriteStillFormsARule) {
    const NumberPair odd = pairOf("412 268 1234", "*67 8 1234");
    const RuleSet rules = deriveWorkingRules({ruleFromText("xxx xxx xxxx", "7 xxxx")}, {odd});
    ASSERT_EQ(rules.size(), 2U);
    EXPECT_TRUE(rules[0].support().empty() != rules[1].support().empty());
    EXPECT_EQ(describe(extractHistory(rules)), describe(PairList{odd}));
}

// A country code dialed in front ("9 011 44") stays in the pattern: widened, it would dial
// a Mexican number with the British code. One the rule keeps widens as any group does.
TEST(DeriveWorkingRules, ACountryCodeDialedInFrontIsNeverWidened) {
    const RuleSet fromFront =
        deriveWorkingRules({}, {pairOf("+44 20 7946 0123", "9 011 44 20 7946 0123")});
    EXPECT_EQ(patternsOf(fromFront), (Lines{"+44 xx xxxx xxxx as 9 011 44 xx xxxx xxxx"}));
    const RuleSet kept = deriveWorkingRules({}, {pairOf("+44 20 7946 0123", "+44 20 7946 0123")});
    EXPECT_EQ(patternsOf(kept), (Lines{"+xx xx xxxx xxxx as xxx xx xxxx xxxx"}));
}

TEST(GroupHistory, SeedsOneCandidatePerKindOfRewriting) {
    const NumberPair otherArea = pairOf("650 555 0000", "8 0000");
    const NumberPair local = pairOf("555-1234", "5 1234");
    PairList history{OFFICE_A, local, LONG_DISTANCE, OFFICE_B, otherArea};
    const RuleSet candidates = groupHistory(history);

    // Longer numbers first, then the greater prefix; one kind keeps the history's order.
    EXPECT_EQ(describe(history),
              describe(PairList{LONG_DISTANCE, OFFICE_A, OFFICE_B, otherArea, local}));
    ASSERT_EQ(candidates.size(), 3U);
    EXPECT_EQ(describe(candidates[0].support()), describe(PairList{LONG_DISTANCE}));
    EXPECT_EQ(describe(candidates[1].support()), describe(PairList{OFFICE_A, OFFICE_B, otherArea}));
    EXPECT_EQ(describe(candidates[2].support()), describe(PairList{local}));
    EXPECT_STREQ(candidates[0].dialPrefix(), "9 1 ");
    EXPECT_EQ(candidates[0].keptDigits(), 10);
    EXPECT_EQ(candidates[1].keptDigits(), 4);
    for (const DialingRule& candidate : candidates) {
        EXPECT_TRUE(candidate.isEnabled());
        EXPECT_FALSE(candidate.isVerified());
    }

    // Pairs of one kind in different areas share no leading group.
    DialingRule sameKind = candidates[1];
    sameKind.generalizeToSupport();
    EXPECT_STREQ(sameKind.patternText(), "xxx xxx xxxx");

    PairList none;
    EXPECT_TRUE(groupHistory(none).empty());
}

TEST(ClaimPairs, TheMostGeneralStoredRuleClaimsFirst) {
    DialingRule carried = ruleFromText("412 268 xxxx", "8 xxxx");
    carried.addSupport(OFFICE_A); // whatever support a stored rule carries is dropped
    RuleSet stored{carried, ruleFromText("xxx xxx xxxx", "8 xxxx")};
    const NumberPair otherLongDistance = pairOf("212 555 0000", "9 1 212 555 0000");
    PairList history{OFFICE_A, LONG_DISTANCE, OFFICE_B, otherLongDistance};
    claimPairs(stored, history);

    EXPECT_STREQ(stored[0].patternText(), "xxx xxx xxxx");
    EXPECT_EQ(describe(stored[0].support()), describe(PairList{OFFICE_A, OFFICE_B}));
    EXPECT_TRUE(stored[1].support().empty());
    EXPECT_EQ(describe(history), describe(PairList{LONG_DISTANCE, otherLongDistance}));
}

TEST(ClaimPairs, APairIsClaimedOnlyWhenMatchedAndRewrittenToWhatWasDialed) {
    RuleSet stored{ruleFromText("650 xxx xxxx", "8 xxxx"), ruleFromText("412 268 xxxx", "7 xxxx")};
    PairList history{OFFICE_A};
    claimPairs(stored, history);
    EXPECT_EQ(history.size(), 1U);
    EXPECT_TRUE(stored[0].support().empty());
    EXPECT_TRUE(stored[1].support().empty());
}

TEST(BucketByShape, DealsRulesIntoOneBucketPerShapeLongestFirst) {
    const RuleSet rules{ruleFromText("xxx xxxx", "9"), ruleFromText("412 268 xxxx", "9"),
                        ruleFromText("555 1234", "9"), ruleFromText("xxx xxx xxxx", "9"),
                        ruleFromText("4122 680", "9")};
    std::vector<Lines> shapes;
    for (const RuleSet& bucket : bucketByShape(rules)) {
        shapes.emplace_back();
        for (const DialingRule& rule : bucket)
            shapes.back().emplace_back(rule.patternText());
    }
    EXPECT_EQ(shapes,
              (std::vector<Lines>{
                  {"412 268 xxxx", "xxx xxx xxxx"}, {"4122 680"}, {"xxx xxxx", "555 1234"}}));
    EXPECT_TRUE(bucketByShape({}).empty());
}

TEST(SeedCatchAll, GeneralizesTheFirstLearnedRuleUnlessAGeneralRuleLeads) {
    RuleSet led{learnedRule({OFFICE_A, OFFICE_B}),
                ruleFromText("xxx xxx xxxx", "9 1 xxx xxx xxxx")};
    seedCatchAll(led);
    EXPECT_EQ(patternsOf(led),
              (Lines{"xxx xxx xxxx as 9 1 xxx xxx xxxx", "412 268 xxxx as 8 xxxx"}));

    // A confirmed learned rule leads but is not touched: the next learned rule is.
    DialingRule confirmed = learnedRule({OFFICE_A, OFFICE_B});
    confirmed.confirm();
    RuleSet bucket{learnedRule({LONG_DISTANCE}), confirmed};
    seedCatchAll(bucket);
    EXPECT_EQ(patternsOf(bucket),
              (Lines{"412 268 xxxx as 8 xxxx", "xxx xxx xxxx as 9 1 xxx xxx xxxx"}));

    RuleSet allConfirmed{confirmed};
    seedCatchAll(allConfirmed);
    EXPECT_STREQ(allConfirmed[0].patternText(), "412 268 xxxx");
}

// The stored rule dials the 412 268 numbers with 7 in front; the learned one with 8.
const DialingRule STORED_SEVEN = ruleFromText("412 268 xxxx", "7 xxxx");

TEST(ResolveDuplicatePatterns, ALearnedRuleWithMoreSupportStaysBeforeTheStoredOne) {
    RuleSet bucket{STORED_SEVEN, learnedRule({OFFICE_A, OFFICE_B})};
    resolveDuplicatePatterns(bucket);
    ASSERT_EQ(bucket.size(), 2U);
    EXPECT_FALSE(bucket[0].isVerified());
    EXPECT_TRUE(bucket[1].isVerified());
    EXPECT_EQ(bucket[0].support().size(), 2U);
}

TEST(ResolveDuplicatePatterns, ALearnedRuleOfOnePairFollowsTheStoredOne) {
    DialingRule stored = STORED_SEVEN;
    stored.addSupport(pairOf("412 268 1111", "7 1111"));
    stored.addSupport(pairOf("412 268 2222", "7 2222"));
    RuleSet bucket{learnedRule({OFFICE_A}), stored};
    bucket[0].generalizeOneGroup();
    resolveDuplicatePatterns(bucket);
    ASSERT_EQ(bucket.size(), 2U);
    EXPECT_TRUE(bucket[0].isVerified());
    EXPECT_FALSE(bucket[1].isVerified());
}

TEST(ResolveDuplicatePatterns, ALearnedRuleOfSeveralPairsGivesWayToItsParts) {
    DialingRule stored = STORED_SEVEN;
    stored.addSupport(pairOf("412 268 1111", "7 1111"));
    stored.addSupport(pairOf("412 268 2222", "7 2222"));
    RuleSet bucket{learnedRule({OFFICE_A, OFFICE_B}), stored};
    resolveDuplicatePatterns(bucket);
    EXPECT_EQ(patternsOf(bucket), (Lines{"412 268 xxxx as 7 xxxx", "412 268 5678 as 8 xxxx",
                                         "412 268 1234 as 8 xxxx"}));
    EXPECT_EQ(describe(extractHistory(bucket)),
              describe(PairList{stored.support()[0], stored.support()[1], OFFICE_B, OFFICE_A}));
}

TEST(ResolveDuplicatePatterns, VerifiedDuplicatesAreAllKept) {
    RuleSet bucket{STORED_SEVEN, STORED_SEVEN, ruleFromText("xxx xxx xxxx", "8 xxxx")};
    resolveDuplicatePatterns(bucket);
    EXPECT_EQ(patternsOf(bucket), (Lines{"xxx xxx xxxx as 8 xxxx", "412 268 xxxx as 7 xxxx",
                                         "412 268 xxxx as 7 xxxx"}));
}

TEST(SplitRule, PartsShareTheLiteralGroupsAndOneMore) {
    const NumberPair otherExchange = pairOf("412 555 0000", "8 0000");
    const NumberPair otherArea = pairOf("650 555 0000", "8 0000");
    DialingRule everything = learnedRule({OFFICE_A, otherArea, OFFICE_B, otherExchange});
    ASSERT_STREQ(everything.patternText(), "xxx xxx xxxx");
    const RuleSet byArea = splitRule(everything);
    EXPECT_EQ(patternsOf(byArea), (Lines{"650 555 0000 as 8 xxxx", "412 xxx xxxx as 8 xxxx"}));
    EXPECT_EQ(describe(byArea[1].support()), describe(PairList{otherExchange, OFFICE_B, OFFICE_A}));
    for (const DialingRule& part : byArea) {
        EXPECT_TRUE(part.isEnabled());
        EXPECT_FALSE(part.isVerified());
    }

    const RuleSet byExchange = splitRule(byArea[1]);
    EXPECT_EQ(patternsOf(byExchange), (Lines{"412 555 0000 as 8 xxxx", "412 268 xxxx as 8 xxxx"}));
}

TEST(SplitRule, EqualNumbersKeepTheirOrder) {
    const NumberPair dashed = pairOf("412 268 1234", "8-1234");
    const RuleSet forward = splitRule(learnedRule({dashed, OFFICE_B, OFFICE_A}));
    ASSERT_EQ(forward.size(), 2U);
    EXPECT_EQ(describe(forward[1].support()), describe(PairList{dashed, OFFICE_A}));
    const RuleSet backward = splitRule(learnedRule({OFFICE_A, OFFICE_B, dashed}));
    ASSERT_EQ(backward.size(), 2U);
    EXPECT_EQ(describe(backward[1].support()), describe(PairList{OFFICE_A, dashed}));
}

TEST(SplitRule, ARuleOfOnePairStaysWhole) {
    DialingRule rule = learnedRule({OFFICE_A});
    rule.setEnabled(false);
    const RuleSet parts = splitRule(rule);
    EXPECT_EQ(describe(parts), (Lines{describe(rule)}));
}

class ShadowedBucket : public testing::Test {
protected:
    // general's pairs make `wide` redundant; wide's pairs make `single` redundant.
    DialingRule single = learnedRule({pairOf("412 268 1111", "7 1111")});
    DialingRule wide =
        learnedRule({pairOf("412 268 1111", "7 1111"), pairOf("412 555 2222", "7 2222")});
    DialingRule general =
        learnedRule({pairOf("412 555 2222", "7 2222"), pairOf("412 555 3333", "7 3333")});

    void SetUp() override { general.generalizeFully(); }
};

TEST_F(ShadowedBucket, RulesSwitchedOffEarlierNoLongerShadow) {
    RuleSet bucket{wide, single, general};
    switchOffShadowed(bucket);
    EXPECT_FALSE(bucket[0].isEnabled());
    EXPECT_TRUE(bucket[1].isEnabled());
    EXPECT_TRUE(bucket[2].isEnabled());

    bucket = {single, wide, general};
    switchOffShadowed(bucket);
    EXPECT_FALSE(bucket[0].isEnabled());
    EXPECT_FALSE(bucket[1].isEnabled());
}

TEST_F(ShadowedBucket, AShadowedWideningIsRefusedForEnabledRulesOnly) {
    RuleSet bucket{single, wide, general};
    EXPECT_FALSE(canGeneralize(bucket[0], bucket));
    bucket[0].setEnabled(false);
    EXPECT_TRUE(canGeneralize(bucket[0], bucket));
    widenRules(bucket);
    // Widening stops short of the pattern a rule already holds.
    EXPECT_EQ(patternsOf(bucket), (Lines{"xxx xxx xxxx as 7 xxxx", "412 xxx xxxx as 7 xxxx",
                                         "412 268 xxxx as 7 xxxx"}));
}

TEST_F(ShadowedBucket, VerifiedRulesAreNeverWidened) {
    single.setEnabled(false);
    single.confirm();
    RuleSet bucket{single, general};
    widenRules(bucket);
    EXPECT_STREQ(bucket[1].patternText(), "412 268 1111");
}

} // namespace
} // namespace vellix
