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

RuleSet readFrom(const std::string& bytes, bool* everyLineRead = nullptr) {
    std::istringstream stream(bytes);
    RuleSet rules;
    const bool whole = readRules(stream, rules);
    if (everyLineRead != nullptr)
        *everyLineRead = whole;
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
    EXPECT_STREQ(rules[0].dialPrefix(), "8 ");
    EXPECT_EQ(rules[0].keptDigits(), 4);
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

INSTANTIATE_TEST_SUITE_P(
    Rules, RulesRoundTrip,
    testing::Values(RoundTripCase{"412 268 xxxx", "8 xxxx", false},
                    RoundTripCase{"xxx xxx xxxx", "9 1 xxx xxx xxxx", true},
                    RoundTripCase{"412 xxx xxxx", "412 xxx xxxx", true},
                    RoundTripCase{"*67 xxx xxxx#", "xxx xxxxx", true},
                    RoundTripCase{"+44 20 xxxx xxxx", "9 011 44 20 xxxx xxxx", true},
                    RoundTripCase{"412 2680", "9", true},
                    RoundTripCase{LONGEST_PATTERN, LONGEST_REPLACEMENT, true}));

struct ReadCase {
    const char* name;
    std::string bytes;
    Shown rules;
    bool everyLineRead;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class RulesReading : public testing::TestWithParam<ReadCase> {};

TEST_P(RulesReading, KeepsEveryReadableLine) {
    bool everyLineRead = false;
    EXPECT_EQ(shownOf(readFrom(GetParam().bytes, &everyLineRead)), GetParam().rules);
    EXPECT_EQ(everyLineRead, GetParam().everyLineRead);
}

const std::string LINE_555 = "Dial 555 xxxx as 5 xxxx (active)\r\n";
const Shown RULE_555{{"555 xxxx", "5 xxxx", true}};

INSTANTIATE_TEST_SUITE_P(
    Files, RulesReading,
    testing::Values(
        ReadCase{"MixedLineEnds",
                 "Dial 555 xxxx as 5 xxxx (active)\rDial 412 268 xxxx as 8 xxxx (inactive)\n" +
                     LINE_555 + "Dial 555 xxxx as 5 xxxx (active)",
                 {RULE_555[0], {"412 268 xxxx", "8 xxxx", false}, RULE_555[0], RULE_555[0]},
                 true},
        // Only the words the program writes say whether a rule is on.
        ReadCase{"StateWordsAreTheProgramsOwn",
                 "Dial 555 xxxx as 5 xxxx ()\nDial 555 xxxx as 5 xxxx (off)\n"
                 "Dial 555 xxxx as 5 xxxx (activated)\nDial 555 xxxx as 5 xxxx (Active)\n"
                 "Dial 555 xxxx as 5 xxxx (inactive)\n",
                 {{"555 xxxx", "5 xxxx", false}},
                 false},
        ReadCase{"OtherBlanksAroundTheWords", "\tDial  555 xxxx  as  5 xxxx(active) \r\n", RULE_555,
                 true},
        ReadCase{"BlankLinesAreNoDamage", "\r\n \r\n" + LINE_555 + "\r\n\t\r\n", RULE_555, true},
        ReadCase{"CapitalXIsAWildcardToo",
                 "Dial 412 269 XXXX as 8 XXXX (active)\r\n",
                 {{"412 269 xxxx", "8 xxxx", true}},
                 true},
        ReadCase{"OtherCharactersSkipOnlyThatLine",
                 "Dial (412) 270-xxxx as 8 xxxx (active)\r\nDial 412 2680 as 9 -- (active)\r\n"
                 "Dial xxx xxx xxxx as x xxxx (active)\r\n" +
                     LINE_555,
                 RULE_555, false},
        ReadCase{"MissingStateSkipsOnlyThatLine", "Dial 412 268 xxxx as 8 xxxx\r\n" + LINE_555,
                 RULE_555, false},
        ReadCase{"OtherTextSkipsOnlyThatLine",
                 "# kept by hand\r\n  junk " + LINE_555 +
                     "Dialling 555 xxxx as 5 xxxx (active)\r\n" +
                     "Dial 555 xxxx as 5 xxxx (5)\r\n" + LINE_555,
                 RULE_555, false},
        ReadCase{"EmptyTextsSkipOnlyThatLine",
                 "Dial  as 8 xxxx (active)\r\nDial 412 268 xxxx as  (active)\r\n" + LINE_555,
                 RULE_555, false},
        ReadCase{"OverLongTextsSkipOnlyThatLine",
                 "Dial " + std::string(200, 'x') + " as xxxx (active)\r\nDial 555 xxxx as " +
                     std::string(200, '9') + " 5 xxxx (active)\r\n" + LINE_555,
                 RULE_555, false},
        ReadCase{"LongLinesSkipOnlyThemselves",
                 "Dial " + std::string(300, '7') + " as 5 (active)\r\n" + LINE_555 +
                     std::string(5000, 'D') + "\r\n" + LINE_555,
                 {RULE_555[0], RULE_555[0]},
                 false},
        ReadCase{"TextsRunningOverALineBreakSkipOnlyThatRule",
                 "Dial 412\r\n268 xxxx as 8 xxxx (active)\r\n"
                 "Dial 555 xxxx as 9\r\r\n5 xxxx (active)\r\n" +
                     LINE_555,
                 RULE_555, false},
        ReadCase{"NulByteSkipsOnlyThatLine",
                 std::string("Dial 555") + '\0' + " 9 as 5 xxxx (active)\r\n" + LINE_555, RULE_555,
                 false}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// Every rule read from an edited file is written so that it reads back the same.
TEST(RulesReading, EditedLinesReadBackAsTheyWereReadAfterASave) {
    const RuleSet rules = readFrom("Dial 412  268 XXXX as 8  XXXX (inactive)\r\n"
                                   "Dial xxx xxxx as 411 (active)\r\n"
                                   "Dial  +44 20 xxxx xxxx as 9 011 44 xx xxxx xxxx (active)\r\n" +
                                   LINE_555);
    ASSERT_EQ(rules.size(), 4U);
    bool everyLineRead = false;
    EXPECT_EQ(shownOf(readFrom(written(rules), &everyLineRead)), shownOf(rules));
    EXPECT_TRUE(everyLineRead);
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

TEST(RulesReading, ReadableLinesAroundRandomBytesAreKept) {
    const RuleSet rules = readFrom(EXAMPLE_LINE + randomBytes(3 << 20, "") + "\n" + LINE_555);
    ASSERT_GE(rules.size(), 2U);
    EXPECT_EQ(shownOf({rules.front(), rules.back()}),
              (Shown{{"412 268 xxxx", "8 xxxx", true}, RULE_555[0]}));
    expectSoundRules(rules);
}

TEST(RulesReading, RandomRuleLikeBytesYieldOnlySoundRules) {
    const RuleSet rules = readFrom(randomPieces(
        1 << 18, {"Dial ", "Dial ", " as ", " as ", "(active)", "(inactive)", "(", ")", "\r\n",
                  "\r", "\n", " ", "xxx", "412", "9 ", "-", "555 xxxx as 5 xxxx ",
                  std::string(1, '\0'), std::string(300, 'x')}));
    EXPECT_FALSE(rules.empty());
    expectSoundRules(rules);
}

using RulesFile = ScratchDirectory;

TEST_F(RulesFile, SavesAndLoadsTheExampleByteForByte) {
    ASSERT_TRUE(saveRules({ruleOf("412 268 xxxx", "8 xxxx")}));
    EXPECT_EQ(readBytes(RULES_FILE), EXAMPLE_LINE);
    RuleSet rules{ruleOf("555 xxxx", "5 xxxx")};
    ASSERT_EQ(loadRules(rules), FileLoad::READ);
    EXPECT_EQ(shownOf(rules), (Shown{RULE_555[0], {"412 268 xxxx", "8 xxxx", true}}));
}

TEST_F(RulesFile, NoFileLoadsNothingAndFails) {
    RuleSet rules{ruleOf("555 xxxx", "5 xxxx")};
    EXPECT_EQ(loadRules(rules), FileLoad::MISSING);
    EXPECT_EQ(rules.size(), 1U);
}

TEST_F(RulesFile, EmptyFileAndEmptyList) {
    writeBytes(RULES_FILE, "");
    RuleSet rules;
    EXPECT_EQ(loadRules(rules), FileLoad::READ);
    EXPECT_TRUE(rules.empty());
    writeBytes(RULES_FILE, EXAMPLE_LINE);
    ASSERT_TRUE(saveRules({}));
    EXPECT_EQ(readBytes(RULES_FILE), "");
    EXPECT_EQ(listing(), std::string(RULES_FILE) + ";");
}

} // namespace
} // namespace vellix
