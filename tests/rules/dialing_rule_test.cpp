#include "rules/dialing_rule.h"

#include "rule_test_support.h"
#include "rule_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vellix {
namespace {

using test::learnedRule;
using test::pairOf;
using test::replacementOf;
using test::ruleFromText;

TEST(RuleFromText, ReadsEveryRuleTextOfTheTable) {
    for (const test::RuleText& t : test::ruleTexts()) {
        const std::optional<DialingRule> rule =
            DialingRule::fromText(t.pattern, t.replacement, false, true);
        ASSERT_EQ(rule.has_value(), t.shown != nullptr) << t.pattern << " as " << t.replacement;
        if (!rule)
            continue;
        EXPECT_EQ(replacementOf(*rule), t.shown) << t.pattern << " as " << t.replacement;
        EXPECT_FALSE(rule->isEnabled());
        EXPECT_TRUE(rule->isVerified());
        EXPECT_TRUE(rule->support().empty());
        EXPECT_EQ(rule->literalGroups(), 0);
        for (int k = 0; k < 2; ++k) {
            ASSERT_TRUE(rule->matches(t.numbers[k])) << t.pattern << ": " << t.numbers[k];
            const std::optional<PhoneNumber> dialed = rule->apply(PhoneNumber(t.numbers[k]));
            ASSERT_TRUE(dialed.has_value()) << t.pattern << ": " << t.numbers[k];
            EXPECT_STREQ(dialed->digitForm(), t.dialed[k]) << t.pattern << " as " << t.replacement;
        }
    }
}

TEST(RuleFromText, ReadsBackTheRuleALearnedRuleShows) {
    // A learned prefix may end in a space before a tail that starts a group.
    DialingRule learned = DialingRule::fromPair(pairOf("412 268 1234", "9 1234"));
    learned.generalizeToSupport();
    const DialingRule stored = ruleFromText(learned.patternText(), replacementOf(learned).c_str());
    EXPECT_EQ(replacementOf(stored), replacementOf(learned));
    EXPECT_STREQ(stored.dialPrefix(), learned.dialPrefix());
    EXPECT_EQ(stored.keptDigits(), learned.keptDigits());
    const std::optional<PhoneNumber> dialed = stored.apply(PhoneNumber("412 268 1234"));
    ASSERT_TRUE(dialed.has_value());
    EXPECT_STREQ(dialed->digitForm(), "9 1234");
}

TEST(RuleFromText, RefusesTextsThatDoNotFitTheirFields) {
    const std::string longest(DialingRule::CAPACITY - 1, 'x');
    const std::string tooLong(DialingRule::CAPACITY, 'x');
    EXPECT_TRUE(DialingRule::fromText(longest.c_str(), "9", true, true).has_value());
    EXPECT_FALSE(DialingRule::fromText(tooLong.c_str(), "9", true, true).has_value());

    // The prefix is what stands in front of the x's: 127 characters fit.
    const std::string prefix127 = std::string(DialingRule::CAPACITY - 2, '9') + " ";
    const std::string prefix128 = std::string(DialingRule::CAPACITY - 1, '9') + " ";
    const std::optional<DialingRule> fits =
        DialingRule::fromText("555 xxxx", (prefix127 + "xxxx").c_str(), true, true);
    ASSERT_TRUE(fits.has_value());
    EXPECT_EQ(fits->prefixLength(), 127);
    EXPECT_FALSE(
        DialingRule::fromText("555 xxxx", (prefix128 + "xxxx").c_str(), true, true).has_value());

    EXPECT_FALSE(DialingRule::fromText(nullptr, "9", true, true).has_value());
    EXPECT_FALSE(DialingRule::fromText("xxx", nullptr, true, true).has_value());
}

TEST(ReplacementText, NeverWritesPastTheGivenSize) {
    // The largest rule from text: a 127-character prefix in front of a 127-character pattern.
    const std::string pattern(DialingRule::CAPACITY - 1, 'x');
    const std::string prefix = std::string(DialingRule::CAPACITY - 2, '9') + " ";
    const DialingRule rule = ruleFromText(pattern.c_str(), (prefix + pattern).c_str());
    ASSERT_EQ(rule.keptDigits(), 127);

    char whole[DialingRule::REPLACEMENT_CAPACITY];
    rule.replacementText(whole, sizeof whole);
    EXPECT_EQ(std::string(whole), prefix + pattern);

    char small[8];
    std::string guard(8, '#');
    rule.replacementText(small, sizeof small);
    EXPECT_STREQ(small, "9999999");
    EXPECT_EQ(guard, std::string(8, '#'));

    char untouched[2] = {'a', 'b'};
    rule.replacementText(untouched, 0);
    EXPECT_EQ(untouched[0], 'a');
    rule.replacementText(nullptr, 10);
}

TEST(ReplacementText, ShowsAnXForEveryKeptCharacterWhateverThePattern) {
    DialingRule rule = DialingRule::fromPair(pairOf("412-268-1234", "9-1-412-268-1234"));
    rule.addSupport(pairOf("412-268-9999", "9-1-412-268-9999"));
    rule.generalizeToSupport();
    EXPECT_STREQ(rule.patternText(), "412 268 xxxx");
    EXPECT_EQ(replacementOf(rule), "9 1 xxx xxx xxxx");
    rule.generalizeOneGroup();
    EXPECT_EQ(replacementOf(rule), "9 1 xxx xxx xxxx");
    // Three internal dials: what the user dialed in front is the rule's own prefix.
    const DialingRule internal =
        learnedRule({pairOf("412-268-1234", "8 1234"), pairOf("412-268-5555", "8 5555"),
                     pairOf("412-268-7001", "8 7001")});
    EXPECT_STREQ(internal.patternText(), "412 268 xxxx");
    EXPECT_EQ(replacementOf(internal), "8 xxxx");
}

struct MatchCase {
    const char* pattern;
    const char* digitForm;
    bool matches;
};

class RuleMatching : public testing::TestWithParam<MatchCase> {};

TEST_P(RuleMatching, TakesOnlyNumbersOfThePatternsLengthAndShape) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(ruleFromText(c.pattern, "9").matches(c.digitForm), c.matches)
        << c.pattern << " against " << c.digitForm;
}

INSTANTIATE_TEST_SUITE_P(Examples, RuleMatching,
                         testing::Values(MatchCase{"412 268 xxxx", "412 268 5555", true},
                                         MatchCase{"412 268 xxxx", "1 412 268 5555", false},
                                         MatchCase{"412 268 xxxx", "412 2685 555", false},
                                         MatchCase{"412 268 xxxx", "412 269 5555", false},
                                         MatchCase{"xxx xxxx", "*67 12#4", true},
                                         MatchCase{"xxx xxxx", "555-1212", true},
                                         MatchCase{"xxx", "", false}));

struct ApplyCase {
    const char* pattern;
    const char* replacement;
    const char* number;
    const char* dialed; // nullptr: no result
};

class RuleApply : public testing::TestWithParam<ApplyCase> {};

TEST_P(RuleApply, PutsThePrefixInFrontOfTheKeptTail) {
    const ApplyCase& c = GetParam();
    const std::optional<PhoneNumber> result =
        ruleFromText(c.pattern, c.replacement).apply(PhoneNumber(c.number));
    if (c.dialed == nullptr) {
        EXPECT_FALSE(result.has_value()) << result->text();
        return;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_STREQ(result->text(), c.dialed);
}

INSTANTIATE_TEST_SUITE_P(Examples, RuleApply,
                         testing::Values(ApplyCase{"xxx xxx xxxx", "9 1 xxx xxx xxxx",
                                                   "(650) 555-0000", "9 1 650 555 0000"},
                                         // Keeps the whole number.
                                         ApplyCase{"xxx xxxx", "0 xxx xxxx", "555 1234",
                                                   "0 555 1234"},
                                         // Too few characters to keep.
                                         ApplyCase{"xxx xxxx", "9 xxx xxxx", "1234", nullptr},
                                         // 23 characters are a number, 24 are not.
                                         ApplyCase{"xxxx xxxx xxxx", "98 7 6 5 xxxx xxxx xxxx",
                                                   "1111 2222 3333", "98 7 6 5 1111 2222 3333"},
                                         ApplyCase{"xxxx xxxx xxxx", "9 8 7 6 5 xxxx xxxx xxxx",
                                                   "1111 2222 3333", nullptr}));

TEST(RuleApply, DoesNotLookAtThePattern) {
    const DialingRule rule = ruleFromText("412 268 xxxx", "8 xxxx");
    const std::optional<PhoneNumber> result = rule.apply(PhoneNumber("650 555 0000"));
    ASSERT_TRUE(result.has_value());
    EXPECT_STREQ(result->digitForm(), "8 0000");
}

PairList pairsCopiedFrom(const std::vector<const char*>& copied) {
    PairList pairs;
    for (const char* number : copied)
        pairs.push_back(pairOf(number, number));
    return pairs;
}

std::string keyOf(const DialingRule& rule) {
    const RuleRankKey& k = rule.rankKey();
    return std::to_string(k.wildcardGroups) + " " + std::to_string(k.distinctSupport) + " " +
           std::to_string(k.keptDigits) + " " + std::to_string(k.prefixLength);
}

TEST(RankKey, CountsWildcardGroupsDistinctSupportKeptCharactersAndPrefix) {
    const DialingRule outside = learnedRule({pairOf("650 555 0000", "9 1 650 555 0000")});
    EXPECT_EQ(keyOf(outside), "0 1 10 4");
    DialingRule extension =
        learnedRule({pairOf("412 268 1234", "8 1234"), pairOf("412 268 5678", "8 5678")});
    EXPECT_EQ(keyOf(extension), "1 2 4 2");
    extension.generalizeFully();
    EXPECT_EQ(keyOf(extension), "3 1 4 2");
    EXPECT_EQ(keyOf(ruleFromText("412 268 xxxx", "9 xxxx")), "1 0 4 2");
}

struct DistinctCase {
    std::vector<const char*> copied;
    int wildcardGroups;
    int distinct;
};

class DistinctSupport : public testing::TestWithParam<DistinctCase> {};

TEST_P(DistinctSupport, CountsNeighboursThatDifferWithinTheLiteralPart) {
    const DistinctCase& c = GetParam();
    PairList pairs = pairsCopiedFrom(c.copied);
    EXPECT_EQ(distinctSupport(pairs, c.wildcardGroups), c.distinct);
    std::reverse(pairs.begin(), pairs.end());
    EXPECT_EQ(distinctSupport(pairs, c.wildcardGroups), c.distinct);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DistinctSupport,
    testing::Values(DistinctCase{{}, 2, 0}, DistinctCase{{"412 268 1234"}, 3, 1},
                    DistinctCase{{"412 268 1234", "412 268 5678"}, 1, 2},
                    DistinctCase{{"412 268 1234", "412 268 5678"}, 2, 1},
                    DistinctCase{{"650 555 0000", "412 268 1234", "412 555 0000"}, 2, 3},
                    DistinctCase{{"650 555 0000", "412 268 1234", "412 555 0000"}, 3, 2},
                    // Without a wildcard every pair counts, equal ones too.
                    DistinctCase{{"412 268 1234", "412 268 1234"}, 0, 2},
                    DistinctCase{{"412 268 1234", "412 268 1234"}, 1, 1}));

struct SharedCase {
    std::vector<const char*> copied;
    int shared;
};

class MinSharedLeadingGroups : public testing::TestWithParam<SharedCase> {};

TEST_P(MinSharedLeadingGroups, CountsTheGroupsAllPairsShareInAnyOrder) {
    const SharedCase& c = GetParam();
    PairList pairs = pairsCopiedFrom(c.copied);
    std::sort(pairs.begin(), pairs.end(), [](const NumberPair& a, const NumberPair& b) {
        return std::string(a.copied.text()) < b.copied.text();
    });
    do {
        EXPECT_EQ(minSharedLeadingGroups(pairs), c.shared);
    } while (std::next_permutation(pairs.begin(), pairs.end(),
                                   [](const NumberPair& a, const NumberPair& b) {
                                       return std::string(a.copied.text()) < b.copied.text();
                                   }));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, MinSharedLeadingGroups,
    testing::Values(SharedCase{{}, 0}, SharedCase{{"412 268 1234"}, 3},
                    SharedCase{{"412 268 1234", "412 268 9999", "412 555 0000"}, 1},
                    SharedCase{{"412 268 1234", "650 268 1234"}, 0},
                    SharedCase{{"412 268 1234", "412 268 1234"}, 3},
                    SharedCase{{"412 268 1234 56", "412 268 1234 78", "412 268 1234 90"}, 3}));

TEST(RankKeyCache, ComputesOnceUntilTheSupportOrPatternChanges) {
    DialingRule rule =
        learnedRule({pairOf("412 268 1234", "8 1234"), pairOf("412 268 5678", "8 5678")});
    const std::uint64_t start = DialingRule::rankKeyComputations();
    const auto computed = [start] { return DialingRule::rankKeyComputations() - start; };

    EXPECT_EQ(rule.rankKey().distinctSupport, 2);
    EXPECT_EQ(rule.rankKey().distinctSupport, 2);
    EXPECT_EQ(compareRankKeys(rule, rule), 0);
    EXPECT_EQ(computed(), 1U);

    rule.addSupport(pairOf("412 268 9999", "8 9999"));
    EXPECT_EQ(rule.rankKey().distinctSupport, 3);
    EXPECT_EQ(computed(), 2U);

    // Widening recomputes at once; the next reads reuse that key.
    rule.generalizeOneGroup();
    EXPECT_EQ(computed(), 3U);
    EXPECT_EQ(keyOf(rule), "2 1 4 2");
    EXPECT_EQ(computed(), 3U);

    rule.clearSupport();
    EXPECT_EQ(rule.rankKey().distinctSupport, 0);
    EXPECT_EQ(computed(), 4U);
}

TEST(RankKeyCache, FittingThePatternToNewSupportMakesTheKeyStale) {
    DialingRule rule = learnedRule({pairOf("412 268 1234", "8 1234")});
    EXPECT_EQ(keyOf(rule), "0 1 4 2");
    rule.addSupport(pairOf("412 555 1234", "8 1234"));
    rule.generalizeToSupport();
    EXPECT_STREQ(rule.patternText(), "412 xxx xxxx");
    EXPECT_EQ(keyOf(rule), "2 2 4 2");
}

TEST(RankKeyCache, SortingComputesEachKeyOnce) {
    test::HistoryGenerator generator(7);
    RuleSet rules;
    for (int i = 0; i < 64; ++i)
        rules.push_back(learnedRule({generator.nextPair(), generator.nextPair()}));
    const std::uint64_t start = DialingRule::rankKeyComputations();
    std::sort(rules.begin(), rules.end(), rankKeyGreater);
    std::sort(rules.begin(), rules.end(), precedesForDeduplication);
    std::sort(rules.begin(), rules.end(), appliesBefore);
    EXPECT_EQ(DialingRule::rankKeyComputations() - start, rules.size());
}

TEST(CompareRankKeys, ComparesFieldByFieldInOrder) {
    const DialingRule general = ruleFromText("xxx xxxx", "xxxx");
    const DialingRule specific = ruleFromText("555 xxxx", "9 xxx xxxx");
    const DialingRule moreKept = ruleFromText("555 xxxx", "xxx xxxx");
    const DialingRule withPrefix = ruleFromText("555 xxxx", "9 xxxx");
    const DialingRule noPrefix = ruleFromText("555 xxxx", "xxxx");
    EXPECT_EQ(compareRankKeys(general, specific), 1); // wildcard groups first
    EXPECT_EQ(compareRankKeys(moreKept, withPrefix), 1);
    EXPECT_EQ(compareRankKeys(withPrefix, noPrefix), 1);
    EXPECT_EQ(compareRankKeys(general, ruleFromText("xxx xxxx", "xxxx", false, false)), 0);

    DialingRule twoDistinct =
        learnedRule({pairOf("412 268 1234", "8 1234"), pairOf("650 268 1234", "8 1234")});
    DialingRule oneDistinct = learnedRule(
        {pairOf("412 268 1234", "1 412 268 1234"), pairOf("412 268 5678", "1 412 268 5678")});
    oneDistinct.generalizeFully();
    ASSERT_EQ(keyOf(twoDistinct), "3 2 4 2");
    ASSERT_EQ(keyOf(oneDistinct), "3 1 10 2");
    // Distinct support outweighs kept characters and prefix.
    EXPECT_EQ(compareRankKeys(oneDistinct, twoDistinct), -1);

    const std::vector<const DialingRule*> all{&general,  &specific,    &moreKept,   &withPrefix,
                                              &noPrefix, &twoDistinct, &oneDistinct};
    for (const DialingRule* a : all) {
        for (const DialingRule* b : all) {
            EXPECT_EQ(compareRankKeys(*a, *b), -compareRankKeys(*b, *a));
            EXPECT_EQ(rankKeyGreater(*a, *b), compareRankKeys(*a, *b) > 0);
        }
    }
}

TEST(CompareForApplication, EnabledFirstThenSpecificThenVerified) {
    const DialingRule general = ruleFromText("xxx xxxx", "xxxx");
    const DialingRule specificOff = ruleFromText("555 xxxx", "xxxx", false);
    EXPECT_EQ(compareForApplication(general, specificOff), 1);
    EXPECT_EQ(compareForApplication(specificOff, general), -1);

    const DialingRule specific = ruleFromText("555 xxxx", "xxxx");
    EXPECT_EQ(compareForApplication(specific, general), 1);
    EXPECT_TRUE(appliesBefore(specific, general));
    EXPECT_FALSE(appliesBefore(general, specific));

    const DialingRule learned = ruleFromText("xxx xxxx", "xxxx", true, false);
    EXPECT_EQ(compareForApplication(general, learned), 1);
    EXPECT_EQ(compareForApplication(learned, general), -1);
    EXPECT_EQ(compareForApplication(general, ruleFromText("xxx xxxx", "xxxx")), 0);
    EXPECT_FALSE(appliesBefore(general, general));
}

TEST(PrecedesForDeduplication, OrdersByWildcardGroupsPatternSupportVerifiedThenKey) {
    const DialingRule oneWildcard = ruleFromText("412 268 xxxx", "8 xxxx");
    const DialingRule threeWildcards = ruleFromText("xxx xxx xxxx", "8 xxxx");
    const DialingRule otherText = ruleFromText("650 555 xxxx", "8 xxxx");
    EXPECT_TRUE(precedesForDeduplication(oneWildcard, threeWildcards));
    EXPECT_TRUE(precedesForDeduplication(oneWildcard, otherText));
    EXPECT_LT(comparePatternGroups(oneWildcard, threeWildcards), 0);
    EXPECT_LT(comparePatternGroups(oneWildcard, otherText), 0);
    EXPECT_GT(comparePatternGroups(otherText, oneWildcard), 0);

    // Same pattern: less distinct support first, even when verified.
    const DialingRule learned =
        learnedRule({pairOf("412 268 1234", "8 1234"), pairOf("412 268 5678", "8 5678")});
    ASSERT_STREQ(learned.patternText(), oneWildcard.patternText());
    EXPECT_EQ(comparePatternGroups(oneWildcard, learned), -2);
    EXPECT_TRUE(precedesForDeduplication(oneWildcard, learned));
    EXPECT_FALSE(precedesForDeduplication(learned, oneWildcard));

    // Same support: unverified first, then the smaller key.
    const DialingRule unverified = ruleFromText("412 268 xxxx", "8 xxxx", true, false);
    EXPECT_TRUE(precedesForDeduplication(unverified, oneWildcard));
    EXPECT_FALSE(precedesForDeduplication(oneWildcard, unverified));
    const DialingRule keepsMore = ruleFromText("412 268 xxxx", "68 xxxx");
    EXPECT_TRUE(precedesForDeduplication(oneWildcard, keepsMore));
    EXPECT_FALSE(precedesForDeduplication(oneWildcard, oneWildcard));
}

TEST(ShapeGreater, PutsLongerPatternsFirst) {
    const DialingRule ten = ruleFromText("412 268 xxxx", "8 xxxx");
    const DialingRule seven = ruleFromText("xxx xxxx", "8 xxxx");
    EXPECT_TRUE(shapeGreater(ten, seven));
    EXPECT_FALSE(shapeGreater(seven, ten));
    EXPECT_FALSE(shapeGreater(ten, ruleFromText("xxx xxx xxxx", "xxxx")));
    // Same length: a group character where the other has a space is greater.
    EXPECT_TRUE(shapeGreater(ruleFromText("4122 680", "9"), ruleFromText("412 2680", "9")));
}

struct FitCase {
    std::vector<const char*> copied;
    const char* pattern;
    int literal;
    int generalized;
};

class GeneralizeToSupport : public testing::TestWithParam<FitCase> {};

TEST_P(GeneralizeToSupport, KeepsTheLeadingGroupsAllPairsShare) {
    const FitCase& c = GetParam();
    const DialingRule rule = learnedRule(pairsCopiedFrom(c.copied));
    EXPECT_STREQ(rule.patternText(), c.pattern);
    EXPECT_EQ(rule.literalGroups(), c.literal);
    EXPECT_EQ(rule.generalizedGroups(), c.generalized);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GeneralizeToSupport,
    testing::Values(FitCase{{"412 268 1234", "412 268 9999"}, "412 268 xxxx", 2, 1},
                    FitCase{{"(412) 268-1234"}, "412 268 1234", 3, 0},
                    FitCase{{"412 268 1234", "412 555 9999", "412 268 0000"}, "412 xxx xxxx", 1, 2},
                    FitCase{{"412 268 1234", "650 555 0000"}, "xxx xxx xxxx", 0, 3},
                    FitCase{{"*67 555 1212", "*67 555 34#4"}, "*67 555 xxxx", 2, 1},
                    FitCase{{"412 268 1234 56", "412 268 1234 78"}, "412 268 1234 xx", 3, 1}));

TEST(GeneralizeOneGroup, WidensTheLastLiteralGroupUntilNoneIsLeft) {
    DialingRule rule = learnedRule({pairOf("412 268 1234", "8 1234")});
    for (const char* expected : {"412 268 xxxx", "412 xxx xxxx", "xxx xxx xxxx", "xxx xxx xxxx"}) {
        char wider[DialingRule::CAPACITY];
        rule.widenedPattern(wider);
        const std::string before = rule.patternText();
        EXPECT_STREQ(wider, expected);
        EXPECT_EQ(rule.patternText(), before);
        rule.generalizeOneGroup();
        EXPECT_STREQ(rule.patternText(), expected);
    }
    EXPECT_EQ(rule.literalGroups(), 0);
    EXPECT_EQ(rule.generalizedGroups(), 3);

    DialingRule fromText = ruleFromText("412 268 xxxx", "8 xxxx");
    fromText.generalizeOneGroup();
    EXPECT_STREQ(fromText.patternText(), "412 268 xxxx");
}

TEST(GeneralizeFully, TurnsEveryDialableCharacterIntoAWildcard) {
    DialingRule rule =
        learnedRule({pairOf("412 268 1234", "8 1234"), pairOf("412 268 5678", "8 5678")});
    rule.generalizeFully();
    EXPECT_STREQ(rule.patternText(), "xxx xxx xxxx");
    EXPECT_EQ(rule.literalGroups(), 0);
    EXPECT_EQ(rule.generalizedGroups(), 3);
    EXPECT_EQ(rule.support().size(), 2U);

    DialingRule stars = learnedRule({pairOf("*67 555 12#2", "*67 555 12#2")});
    stars.generalizeFully();
    EXPECT_STREQ(stars.patternText(), "xxx xxx xxxx");
}

TEST(CountSupportMatching, CountsPairsWhoseCopiedNumberFitsThePattern) {
    const DialingRule rule =
        learnedRule({pairOf("412 268 1234", "8 1234"), pairOf("412 555 1234", "8 1234"),
                     pairOf("650 268 1234", "8 1234")});
    EXPECT_EQ(rule.countSupportMatching("412 xxx xxxx"), 2);
    EXPECT_EQ(rule.countSupportMatching("xxx 268 xxxx"), 2);
    EXPECT_EQ(rule.countSupportMatching("xxx xxx xxxx"), 3);
    EXPECT_EQ(rule.countSupportMatching("xxx xxxx"), 0);
    EXPECT_EQ(ruleFromText("xxx xxx xxxx", "xxxx").countSupportMatching("xxx xxx xxxx"), 0);
}

class Shadowing : public testing::Test {
protected:
    // Accounts for 412 268 1111 but not for 412 268 3333.
    DialingRule general =
        learnedRule({pairOf("412 268 1111", "7 1111"), pairOf("412 555 2222", "7 2222")});
    DialingRule onePair = learnedRule({pairOf("412 268 1111", "7 1111")});
    DialingRule twoPairs =
        learnedRule({pairOf("412 268 1111", "7 1111"), pairOf("412 268 3333", "7 3333")});
};

TEST_F(Shadowing, AMoreGeneralRuleWithTheEvidenceShadows) {
    ASSERT_STREQ(general.patternText(), "412 xxx xxxx");
    EXPECT_TRUE(onePair.isShadowed({general, onePair}));
    EXPECT_FALSE(twoPairs.isShadowed({general, twoPairs}));
    EXPECT_FALSE(general.isShadowed({general, onePair}));
    EXPECT_FALSE(onePair.isShadowed({onePair}));
}

TEST_F(Shadowing, OnlyEnabledRulesTakePartAndVerifiedRulesStay) {
    DialingRule off = general;
    off.setEnabled(false);
    EXPECT_FALSE(onePair.isShadowed({off, onePair}));

    DialingRule confirmed = onePair;
    confirmed.confirm();
    EXPECT_FALSE(confirmed.isShadowed({general, confirmed}));

    DialingRule disabled = onePair;
    disabled.setEnabled(false);
    EXPECT_FALSE(disabled.isShadowed({general, disabled}));
}

TEST_F(Shadowing, AnEqualPatternNeverShadows) {
    DialingRule sameWithMore = onePair;
    sameWithMore.addSupport(pairOf("412 268 1111", "7 1111"));
    EXPECT_FALSE(onePair.isShadowed({sameWithMore, onePair}));
}

std::vector<std::string> textsOf(const std::vector<PhoneNumber>& numbers) {
    std::vector<std::string> texts;
    for (const PhoneNumber& number : numbers)
        texts.emplace_back(number.text());
    return texts;
}

TEST(DialStringsFor, RewritesByEveryMatchingRuleInApplicationOrder) {
    RuleSet rules{ruleFromText("xxx xxx xxxx", "9 xxx xxx xxxx", false),
                  ruleFromText("xxx xxx xxxx", "8 xxxx"),
                  ruleFromText("xxx xxx xxxx", "9 8 7 6 5 4 3 2 1 xxx xxx xxxx"),
                  ruleFromText("650 xxx xxxx", "9 1 650 xxx xxxx")};
    const std::vector<std::string> expected{"9 1 650 123 4567", "8 4567", "9 650 123 4567"};
    EXPECT_EQ(textsOf(dialStringsFor(PhoneNumber("650-123-4567"), rules)), expected);
    EXPECT_TRUE(std::is_sorted(rules.begin(), rules.end(), appliesBefore));
    EXPECT_STREQ(rules.front().patternText(), "650 xxx xxxx");

    const std::vector<std::string> other{"8 1234", "9 412 268 1234"};
    EXPECT_EQ(textsOf(dialStringsFor(PhoneNumber("(412) 268-1234"), rules)), other);
    EXPECT_TRUE(dialStringsFor(PhoneNumber("555 1234"), rules).empty());
    RuleSet none;
    EXPECT_TRUE(dialStringsFor(PhoneNumber("650-123-4567"), none).empty());
}

TEST(DialStringsFor, RulesThatTieKeepTheirOrder) {
    const DialingRule nine = ruleFromText("xxx xxxx", "9 xxx xxxx");
    const DialingRule eight = ruleFromText("xxx xxxx", "8 xxx xxxx");
    RuleSet rules{nine, eight};
    EXPECT_EQ(textsOf(dialStringsFor(PhoneNumber("555 1234"), rules)),
              (std::vector<std::string>{"9 555 1234", "8 555 1234"}));
    rules = {eight, nine};
    EXPECT_EQ(textsOf(dialStringsFor(PhoneNumber("555 1234"), rules)),
              (std::vector<std::string>{"8 555 1234", "9 555 1234"}));
}

TEST(ExtractStoredRules, CopiesTheVerifiedRulesWithTheirSupportAsTheFileGivesThemBack) {
    DialingRule confirmed =
        learnedRule({pairOf("412 268 1234", "8 1234"), pairOf("412 268 5678", "8 5678")});
    confirmed.confirm();
    const RuleSet rules{learnedRule({pairOf("650 555 0000", "5 0000")}), confirmed,
                        ruleFromText("xxx xxxx", "9 xxx xxxx", false, true)};
    const RuleSet stored = extractStoredRules(rules);
    // A confirmed learned rule keeps no learning counts, like a rule read from the file.
    EXPECT_EQ(test::describe(stored),
              (std::vector<std::string>{"412 268 xxxx as 8 xxxx on verified literal=0 "
                                        "generalized=0 [412 268 1234 -> 8 1234; "
                                        "412 268 5678 -> 8 5678; ]",
                                        test::describe(rules[2])}));
    EXPECT_TRUE(extractStoredRules({rules[0]}).empty());
    EXPECT_TRUE(extractStoredRules({}).empty());
}

} // namespace
} // namespace vellix
