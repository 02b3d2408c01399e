#include "rules/dialing_rule.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace vellix {
namespace {

NumberPair pairOf(const char* copied, const char* dialed) {
    NumberPair pair;
    return pair.setNumbers(copied, dialed);
}

DialingRule ruleFromText(const char* pattern, const char* replacement, bool enabled = true,
                         bool verified = true) {
    std::optional<DialingRule> rule =
        DialingRule::fromText(pattern, replacement, enabled, verified);
    EXPECT_TRUE(rule.has_value()) << pattern << " as " << replacement;
    return rule.value_or(DialingRule{});
}

std::string replacementOf(const DialingRule& rule) {
    char text[DialingRule::REPLACEMENT_CAPACITY];
    rule.replacementText(text, sizeof text);
    return text;
}

struct TextCase {
    const char* pattern;
    const char* replacement;
    const char* dialPrefix;
    int keptDigits;
    const char* shown; // replacementText
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << '"' << c.pattern << "\" as \"" << c.replacement << '"';
}

class RuleFromText : public testing::TestWithParam<TextCase> {};

TEST_P(RuleFromText, SplitsTheReplacementIntoPrefixAndKeptTail) {
    const TextCase& c = GetParam();
    const DialingRule rule = ruleFromText(c.pattern, c.replacement, false, true);
    EXPECT_STREQ(rule.patternText(), c.pattern);
    EXPECT_STREQ(rule.dialPrefix(), c.dialPrefix);
    EXPECT_EQ(rule.prefixLength(), static_cast<int>(std::string(c.dialPrefix).size()));
    EXPECT_EQ(rule.keptDigits(), c.keptDigits);
    EXPECT_EQ(replacementOf(rule), c.shown);
    EXPECT_FALSE(rule.isEnabled());
    EXPECT_TRUE(rule.isVerified());
    EXPECT_TRUE(rule.support().empty());
    EXPECT_EQ(rule.literalGroups(), 0);
    EXPECT_EQ(rule.generalizedGroups(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RuleFromText,
    testing::Values(TextCase{"412 268 xxxx", "8 xxxx", "", 5, "8 xxxx"},
                    TextCase{"xxx xxx xxxx", "9 1 xxx xxx xxxx", "9 1 ", 10, "9 1 xxx xxx xxxx"},
                    TextCase{"412 xxx xxxx", "412 xxx xxxx", "", 10, "412 xxx xxxx"},
                    // Digits facing wildcards are kept characters.
                    TextCase{"xxx xxxx", "411", "", 3, "xxx"},
                    // A last character facing another digit keeps nothing.
                    TextCase{"412 2680", "9", "9", 0, "9"}, TextCase{"xxx xxxx", "", "", 0, ""},
                    // A separator in front of the kept tail stays with the prefix.
                    TextCase{"412 268 xxxx", "9-xxxx", "9-", 4, "9-xxxx"},
                    TextCase{"412 268 xxxx", "9 xxxx", "9 ", 4, "9 xxxx"},
                    TextCase{"412 268 xxxx", "9xxxx", "9", 4, "9xxxx"}));

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

    // The prefix is what stands in front of the matching tail: 127 characters fit.
    const std::string prefix127 = std::string(DialingRule::CAPACITY - 2, '9') + "-";
    const std::string prefix128 = std::string(DialingRule::CAPACITY - 1, '9') + "-";
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
    const std::string prefix = std::string(DialingRule::CAPACITY - 2, '9') + "-";
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

TEST(ReplacementText, ShowsTheLearnedPrefixBeforeThePatternTail) {
    DialingRule rule = DialingRule::fromPair(pairOf("412-268-1234", "9-1-412-268-1234"));
    rule.addSupport(pairOf("412-268-9999", "9-1-412-268-9999"));
    rule.generalizeToSupport();
    EXPECT_STREQ(rule.patternText(), "412 268 xxxx");
    EXPECT_EQ(replacementOf(rule), "9 1 412 268 xxxx");
}

struct MatchCase {
    const char* pattern;
    const char* digitForm;
    bool matches;
};

class RuleMatching : public testing::TestWithParam<MatchCase> {};

TEST_P(RuleMatching, TakesOnlyNumbersOfThePatternsLengthAndShape) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(ruleFromText(c.pattern, "x").matches(c.digitForm), c.matches)
        << c.pattern << " against " << c.digitForm;
}

INSTANTIATE_TEST_SUITE_P(Examples, RuleMatching,
                         testing::Values(MatchCase{"412 268 xxxx", "412 268 5555", true},
                                         MatchCase{"412 268 xxxx", "1 412 268 5555", false},
                                         MatchCase{"412 268 xxxx", "412 2685 555", false},
                                         MatchCase{"412 268 xxxx", "412 269 5555", false},
                                         MatchCase{"xxx xxxx", "*67 12#4", true},
                                         MatchCase{"xxx-xxxx", "555 1212", true},
                                         MatchCase{"xxx", "", false}, MatchCase{"", "", true}));

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

INSTANTIATE_TEST_SUITE_P(
    Examples, RuleApply,
    testing::Values(
        ApplyCase{"412 268 xxxx", "8 xxxx", "412 268 1234", "8 1234"},
        ApplyCase{"xxx xxx xxxx", "9 1 xxx xxx xxxx", "(650) 555-0000", "9 1 650 555 0000"},
        ApplyCase{"xxx xxxx", "411", "555-1234", "234"},
        ApplyCase{"412 2680", "9", "412 2680", "9"},
        // Keeps the whole number.
        ApplyCase{"xxx xxxx", "0 xxx xxxx", "555 1234", "0 555 1234"},
        // Too few characters to keep.
        ApplyCase{"xxx xxxx", "9 xxx xxxx", "1234", nullptr},
        // Nothing kept and no prefix: an empty text is no number.
        ApplyCase{"xxxx", "", "1234", nullptr},
        // 23 characters are a number, 24 are not.
        ApplyCase{"xxxx xxxx xxxx", "98 7 6 5 xxxx xxxx xxxx", "1111 2222 3333",
                  "98 7 6 5 1111 2222 3333"},
        ApplyCase{"xxxx xxxx xxxx", "9 8 7 6 5 xxxx xxxx xxxx", "1111 2222 3333", nullptr}));

TEST(RuleApply, DoesNotLookAtThePattern) {
    const DialingRule rule = ruleFromText("412 268 xxxx", "8 xxxx");
    const std::optional<PhoneNumber> result = rule.apply(PhoneNumber("650 555 0000"));
    ASSERT_TRUE(result.has_value());
    EXPECT_STREQ(result->digitForm(), "5 0000");
}

TEST(RuleFlags, EnableAndConfirm) {
    DialingRule rule = DialingRule::fromPair(pairOf("412 268 1234", "8 1234"));
    EXPECT_TRUE(rule.isEnabled());
    EXPECT_FALSE(rule.isVerified());
    rule.setEnabled(false);
    EXPECT_FALSE(rule.isEnabled());
    rule.confirm();
    EXPECT_TRUE(rule.isVerified());
}

TEST(RuleFromPair, TakesTheRewritingOfThePair) {
    const DialingRule rule = DialingRule::fromPair(pairOf("412 268 1234", "9 1 412 268 1234"));
    ASSERT_EQ(rule.support().size(), 1U);
    EXPECT_STREQ(rule.support()[0].dialed.digitForm(), "9 1 412 268 1234");
    EXPECT_STREQ(rule.dialPrefix(), "9 1 ");
    EXPECT_EQ(rule.prefixLength(), 4);
    EXPECT_EQ(rule.keptDigits(), 10);
    EXPECT_STREQ(rule.patternText(), "");
    EXPECT_EQ(rule.literalGroups(), 0);
}

} // namespace
} // namespace vellix
