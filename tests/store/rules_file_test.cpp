#include "store/rules_file.h"

#include "random_bytes.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace vellix {
namespace {

const std::string EXAMPLE_LINE = "Dial 412 268 xxxx as 8 xxxx (active)\r\n";

DialingRule ruleOf(const std::string& pattern, const std::string& replacement,
                   bool enabled = true) {
    const auto rule = DialingRule::fromText(pattern.c_str(), replacement.c_str(), enabled, true);
    EXPECT_TRUE(rule.has_value()) << pattern << " as " << replacement;
    return rule.value_or(DialingRule());
}

std::string written(const RuleSet& rules) {
    std::ostringstream stream;
    EXPECT_TRUE(writeRules(stream, rules));
    return stream.str();
}

RuleSet readFrom(const std::string& bytes) {
    std::istringstream stream(bytes);
    RuleSet rules;
    EXPECT_TRUE(readRules(stream, rules));
    return rules;
}

// Pattern, replacement as shown, enabled.
using Shown = std::vector<std::tuple<std::string, std::string, bool>>;

Shown shownOf(const RuleSet& rules) {
    Shown shown;
    for (const DialingRule& rule : rules) {
        char replacement[DialingRule::REPLACEMENT_CAPACITY];
        rule.replacementText(replacement, sizeof replacement);
        shown.emplace_back(rule.patternText(), replacement, rule.isEnabled());
    }
    return shown;
}

TEST(RulesFormat, WritesTheExampleAsThirtyEightBytes) {
    const std::string bytes = written({ruleOf("412 268 xxxx", "8 xxxx")});
    EXPECT_EQ(bytes, EXAMPLE_LINE);
    EXPECT_EQ(bytes.size(), 38U);
    EXPECT_EQ(written({ruleOf("412 268 xxxx", "8 xxxx", false)}),
              "Dial 412 268 xxxx as 8 xxxx (inactive)\r\n");
}

TEST(RulesFormat, ReadsTheExampleBackAsAVerifiedRule) {
    const RuleSet rules = readFrom(EXAMPLE_LINE);
    ASSERT_EQ(rules.size(), 1U);
    EXPECT_STREQ(rules[0].patternText(), "412 268 xxxx");
    EXPECT_STREQ(rules[0].dialPrefix(), "");
    EXPECT_EQ(rules[0].keptDigits(), 5);
    EXPECT_TRUE(rules[0].isEnabled());
    EXPECT_TRUE(rules[0].isVerified());
    EXPECT_TRUE(rules[0].support().empty());
    EXPECT_EQ(written(rules), EXAMPLE_LINE);
}

struct RoundTripCase {
    std::string pattern;
    std::string replacement;
    bool enabled;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << '"' << c.pattern << "\" as \"" << c.replacement << '"';
}

class RulesRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RulesRoundTrip, ReadsBackWhatWasWritten) {
    const DialingRule saved =
        ruleOf(GetParam().pattern, GetParam().replacement, GetParam().enabled);
    const std::string bytes = written({saved, saved});
    const RuleSet rules = readFrom(bytes);
    ASSERT_EQ(rules.size(), 2U);
    EXPECT_EQ(shownOf(rules), shownOf({saved, saved}));
    EXPECT_STREQ(rules[1].dialPrefix(), saved.dialPrefix());
    EXPECT_EQ(rules[1].keptDigits(), saved.keptDigits());
    EXPECT_EQ(written(rules), bytes);
}

// The largest rule: a full pattern and a full prefix, whose replacement just fits a field.
const std::string LONGEST_PATTERN(127, 'x');
const std::string LONGEST_REPLACEMENT = std::string(126, '9') + " " + LONGEST_PATTERN;

INSTANTIATE_TEST_SUITE_P(Rules, RulesRoundTrip,
                         testing::Values(RoundTripCase{"412 268 xxxx", "8 xxxx", false},
                                         RoundTripCase{"xxx xxx xxxx", "9 1 xxx xxx xxxx", true},
                                         RoundTripCase{"412 xxx xxxx", "412 xxx xxxx", true},
                                         RoundTripCase{"*67 xxx xxxx#", "*67 xxxx#", true},
                                         RoundTripCase{"412 2680", "9", true},
                                         RoundTripCase{LONGEST_PATTERN, LONGEST_REPLACEMENT,
                                                       true}));

struct ReadCase {
    const char* name;
    std::string bytes;
    Shown rules;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class RulesReading : public testing::TestWithParam<ReadCase> {};

TEST_P(RulesReading, KeepsTheValidLines) {
    EXPECT_EQ(shownOf(readFrom(GetParam().bytes)), GetParam().rules);
}

const std::string LINE_555 = "Dial 555 xxxx as 5 xxxx (active)\r\n";
const Shown RULE_555{{"555 xxxx", "5 xxxx", true}};
const std::string LONG_RUN(256, '7');

INSTANTIATE_TEST_SUITE_P(
    Files, RulesReading,
    testing::Values(
        ReadCase{"StateWordsByLength",
                 "Dial 555 xxxx as 5 xxxx ()\nDial 555 xxxx as 5 xxxx (enabled)\n"
                 "Dial 555 xxxx as 5 xxxx (disabled)\n",
                 {{"555 xxxx", "5 xxxx", true},
                  {"555 xxxx", "5 xxxx", true},
                  {"555 xxxx", "5 xxxx", false}}},
        ReadCase{"BlankLinesAndStrayTextBeforeTheKeyword",
                 "\r\n\r\n  junk " + LINE_555 + "\r\n" + LINE_555,
                 {RULE_555[0], RULE_555[0]}},
        ReadCase{"LastLineWithoutLineEnd",
                 "Dial 555 xxxx as 5 xxxx (inactive)",
                 {{"555 xxxx", "5 xxxx", false}}},
        ReadCase{"TrailingSeparatorsOfTheReplacementAreCut",
                 "Dial 412 2680 as 9 -- (active)\r\n",
                 {{"412 2680", "9", true}}},
        ReadCase{"EmptyPatternSkipsOnlyThatLine", "Dial  as 8 xxxx (active)\r\n" + LINE_555,
                 RULE_555},
        ReadCase{"EmptyReplacementSkipsOnlyThatLine",
                 "Dial 412 268 xxxx as  (active)\r\n" + LINE_555, RULE_555},
        ReadCase{"OverLongPatternSkipsOnlyThatLine",
                 "Dial " + std::string(200, 'x') + " as xxxx (active)\r\n" + LINE_555, RULE_555},
        ReadCase{"OverLongPrefixSkipsOnlyThatLine",
                 "Dial 555 xxxx as " + std::string(200, '9') + " 5 xxxx (active)\r\n" + LINE_555,
                 RULE_555},
        ReadCase{"LongerRunEndsTheReading",
                 LINE_555 + "Dial " + LONG_RUN + " as 5 (active)\r\n" + LINE_555, RULE_555},
        ReadCase{"PatternWithAnOpeningParenthesisSkipsOnlyThatLine",
                 "Dial xxx xxx(x as 9 1 x(x (active)\r\n" + LINE_555, RULE_555},
        ReadCase{"TextsRunningOverALineBreakSkipOnlyThatRule",
                 "Dial 412\r\n268 xxxx as 8 xxxx (active)\r\n"
                 "Dial 555 xxxx as 9\r\r\n5 xxxx (active)\r\n" +
                     LINE_555,
                 RULE_555},
        ReadCase{"NulBytesCutTheFields",
                 std::string("Dial 555\0 9 as 5 xxxx (active)\r\n", 32) + LINE_555,
                 {{"555", "5 xxxx", true}, RULE_555[0]}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// Every rule read from an edited file is written so that it reads back the same.
TEST(RulesReading, EditedLinesReadBackAsTheyWereReadAfterASave) {
    const RuleSet rules = readFrom("Dial 412-268-xxxx as 8-xxxx (inactive)\r\n"
                                   "Dial xxx)xxx as 9 x)xxx (active)\r\n"
                                   "Dial xxx xxx(x as x(x (active)\r\n" +
                                   LINE_555);
    ASSERT_EQ(rules.size(), 3U);
    EXPECT_EQ(shownOf(readFrom(written(rules))), shownOf(rules));
}

void expectSoundRules(const RuleSet& rules) {
    for (const DialingRule& rule : rules) {
        EXPECT_GT(std::strlen(rule.patternText()), 0U);
        EXPECT_LT(std::strlen(rule.patternText()), DialingRule::CAPACITY);
        EXPECT_LT(std::strlen(rule.dialPrefix()), DialingRule::CAPACITY);
        EXPECT_TRUE(rule.isVerified());
        EXPECT_TRUE(rule.support().empty());
    }
}

TEST(RulesReading, RandomBytesAfterValidLinesKeepThem) {
    const RuleSet rules = readFrom(EXAMPLE_LINE + LINE_555 + randomBytes(3 << 20, ""));
    ASSERT_GE(rules.size(), 2U);
    EXPECT_EQ(shownOf({rules[0], rules[1]}),
              (Shown{{"412 268 xxxx", "8 xxxx", true}, RULE_555[0]}));
    expectSoundRules(rules);
}

TEST(RulesReading, RandomRuleLikeBytesYieldOnlySoundRules) {
    const RuleSet rules =
        readFrom(randomBytes(2 << 20, std::string("Dial as ()\r\n0123456789#*xxxx   ") + '\0'));
    EXPECT_FALSE(rules.empty());
    expectSoundRules(rules);
}

using RulesFile = ScratchDirectory;

TEST_F(RulesFile, SavesAndLoadsTheExampleByteForByte) {
    ASSERT_TRUE(saveRules({ruleOf("412 268 xxxx", "8 xxxx")}));
    EXPECT_EQ(readBytes(RULES_FILE), EXAMPLE_LINE);
    RuleSet rules{ruleOf("555 xxxx", "5 xxxx")};
    ASSERT_TRUE(loadRules(rules));
    EXPECT_EQ(shownOf(rules), (Shown{RULE_555[0], {"412 268 xxxx", "8 xxxx", true}}));
}

TEST_F(RulesFile, NoFileLoadsNothingAndFails) {
    RuleSet rules{ruleOf("555 xxxx", "5 xxxx")};
    EXPECT_FALSE(loadRules(rules));
    EXPECT_EQ(rules.size(), 1U);
}

TEST_F(RulesFile, EmptyFileAndEmptyList) {
    writeBytes(RULES_FILE, "");
    RuleSet rules;
    EXPECT_TRUE(loadRules(rules));
    EXPECT_TRUE(rules.empty());
    writeBytes(RULES_FILE, EXAMPLE_LINE);
    ASSERT_TRUE(saveRules({}));
    EXPECT_EQ(readBytes(RULES_FILE), "");
    EXPECT_EQ(listing(), std::string(RULES_FILE) + ";");
}

} // namespace
} // namespace vellix
