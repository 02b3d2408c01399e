#include "rules_dialog/rule_row.h"

#include "store/rules_file.h"

#include "tests/rules/rule_test_support.h"
#include "tests/rules/rule_texts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vellix {
namespace {

using test::ruleFromText;

RuleRowList rowsOf(const RuleSet& rules, std::int32_t& idCounter) {
    RuleRowList rows;
    for (const DialingRule& rule : rules)
        rows.push_back(makeRuleRow(rule, idCounter));
    return rows;
}

TEST(RuleRowIds, RowsTakeNineConsecutiveIdsEach) {
    const RuleSet rules(3, ruleFromText("412 268 xxxx", "8 xxxx", true, false));
    std::int32_t counter = 0;
    const RuleRowList rows = rowsOf(rules, counter);
    const struct {
        std::int32_t first;
        std::int32_t last;
    } expected[] = {{1024, 1032}, {1033, 1041}, {1042, 1050}};
    ASSERT_EQ(rows.size(), 3U);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(controlId(rows[i], DIAL_LABEL), expected[i].first) << "row " << i;
        EXPECT_EQ(controlId(rows[i], DELETE_BUTTON), expected[i].last) << "row " << i;
        EXPECT_EQ(FIRST_ROW_CONTROL_ID + rows[i].lastId, expected[i].last) << "row " << i;
    }
    EXPECT_EQ(counter, 27);
}

TEST(RuleRowIds, EachControlHasTheIdOfItsCreationOffset) {
    std::int32_t counter = 9;
    const RuleRow row = makeRuleRow(DialingRule{}, counter);
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k)
        EXPECT_EQ(controlId(row, static_cast<RowControl>(k)), 1033 + k);
}

TEST(RuleRowIds, EveryControlHasItsOwnWindowField) {
    RuleRow row;
    std::set<const WindowHandle*> fields;
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k)
        fields.insert(&controlWindow(row, static_cast<RowControl>(k)));
    EXPECT_EQ(fields.size(), static_cast<std::size_t>(CONTROLS_PER_ROW));
    EXPECT_EQ(fields.count(&row.deleteTip), 0U);

    // The fields are not in creation order; check the ones the dialog reads by name.
    EXPECT_EQ(&controlWindow(row, ENABLE_BOX), &row.enableBox);
    EXPECT_EQ(&controlWindow(row, ENABLED_LABEL), &row.enabledLabel);
    EXPECT_EQ(&controlWindow(row, VERIFIED_LABEL), &row.verifiedLabel);
    EXPECT_EQ(&controlWindow(row, CONFIRM_BUTTON), &row.confirmButton);
    EXPECT_EQ(&controlWindow(row, DELETE_BUTTON), &row.deleteButton);
    EXPECT_EQ(&controlWindow(row, PATTERN_BOX), &row.patternBox);
    EXPECT_EQ(&controlWindow(row, REPLACEMENT_EDIT), &row.replacementEdit);
}

TEST(FindRuleRow, FindsTheRowOwningAnOffsetAndNothingInAGap) {
    std::int32_t counter = 0;
    RuleRowList rows = rowsOf(RuleSet(3), counter);
    rows.erase(rows.begin() + 1); // the middle row's ids 9 to 17 stay unused
    const struct {
        std::int32_t offset;
        std::optional<std::size_t> row;
    } cases[] = {
        {-1, std::nullopt},
        {0, 0U},
        {5, 0U},
        {8, 0U},
        {9, std::nullopt},
        {17, std::nullopt},
        {18, 1U},
        {26, 1U},
        {27, std::nullopt},
        {1000, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findRuleRow(rows, c.offset), c.row) << "offset " << c.offset;
    EXPECT_EQ(findRuleRow(RuleRowList{}, 0), std::nullopt);
}

TEST(RuleRowTexts, LabelsFollowTheRuleState) {
    const struct {
        bool enabled;
        bool verified;
        const char* enabledText;
        const char* verifiedText;
    } cases[] = {
        {true, true, " (enabled)", ", (verified)"},
        {true, false, " (enabled)", ", (unverified)"},
        {false, true, "(disabled)", ", (verified)"},
        {false, false, "(disabled)", ", (unverified)"},
    };
    for (const auto& c : cases) {
        std::int32_t counter = 0;
        const RuleRow row =
            makeRuleRow(ruleFromText("xxx xxxx", "xxx xxxx", c.enabled, c.verified), counter);
        EXPECT_STREQ(initialControlText(row, ENABLED_LABEL), c.enabledText);
        EXPECT_STREQ(initialControlText(row, VERIFIED_LABEL), c.verifiedText);
        EXPECT_STREQ(initialControlText(row, DIAL_LABEL), "Dial");
        EXPECT_STREQ(initialControlText(row, AS_LABEL), "numbers as");
        EXPECT_STREQ(initialControlText(row, CONFIRM_BUTTON), "Confirm");
        EXPECT_STREQ(initialControlText(row, DELETE_BUTTON), "Delete");
        EXPECT_EQ(initialControlText(row, PATTERN_BOX), nullptr);
        EXPECT_EQ(initialControlText(row, REPLACEMENT_EDIT), nullptr);
        EXPECT_EQ(initialControlText(row, ENABLE_BOX), nullptr);
    }
}

TEST(RuleRowTexts, ReplacementIsShownAsTheRulesFileWritesIt) {
    const struct {
        const char* pattern;
        const char* replacement;
    } cases[] = {
        {"412 268 xxxx", "8 xxxx"},
        {"xxx xxx xxxx", "9 1 xxx xxx xxxx"},
        {"412 xxx xxxx", "9 xxx xxxx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(replacementTextOf(ruleFromText(c.pattern, c.replacement, true, true)),
                  c.replacement);
}

TEST(RuleRowTexts, ReplacementLongerThanANumberFieldIsShownWhole) {
    // A hand-edited rules file can put a long prefix in front of the whole pattern.
    const std::string prefix(120, '9');
    const std::string replacement = prefix + " xxx xxx xxxx";
    const DialingRule rule = ruleFromText("xxx xxx xxxx", replacement.c_str(), true, true);
    EXPECT_EQ(replacementTextOf(rule), replacement);
}

TEST(RuleRowEdits, RowChangesOnlyItsOwnCopy) {
    const DialingRule original = ruleFromText("412 268 xxxx", "8 xxxx", true, false);
    std::int32_t counter = 0;
    RuleRow row = makeRuleRow(original, counter);

    EXPECT_STREQ(setRowRuleEnabled(row, false), "(disabled)");
    EXPECT_STREQ(confirmRowRule(row), ", (verified)");

    EXPECT_FALSE(row.rule.isEnabled());
    EXPECT_TRUE(row.rule.isVerified());
    EXPECT_TRUE(original.isEnabled());
    EXPECT_FALSE(original.isVerified());
}

// Switching a learned rule on or off verifies it, so that it is stored as the user left it;
// ticking twice leaves the rule as it was, and a confirmation stays.
TEST(RuleRowEdits, SwitchingVerifiesTheRuleAndTickingTwiceLeavesItAsItWas) {
    for (const bool enabled : {true, false}) {
        std::int32_t counter = 0;
        RuleRow row = makeRuleRow(ruleFromText("xxx xxxx", "xxxx", enabled, false), counter);
        EXPECT_STREQ(setRowRuleEnabled(row, !enabled), enabledLabelText(!enabled));
        EXPECT_EQ(row.rule.isEnabled(), !enabled);
        EXPECT_TRUE(row.rule.isVerified());
        EXPECT_STREQ(setRowRuleEnabled(row, enabled), enabledLabelText(enabled));
        EXPECT_EQ(row.rule.isEnabled(), enabled);
        EXPECT_FALSE(row.rule.isVerified());

        confirmRowRule(row);
        setRowRuleEnabled(row, !enabled);
        setRowRuleEnabled(row, enabled);
        EXPECT_TRUE(row.rule.isVerified());
        RuleRow stored = makeRuleRow(ruleFromText("xxx xxxx", "xxxx", enabled, true), counter);
        setRowRuleEnabled(stored, !enabled);
        setRowRuleEnabled(stored, enabled);
        EXPECT_TRUE(stored.rule.isVerified());
    }
}

TEST(CollectRules, HandsBackTheRowCopiesInRowOrder) {
    const RuleSet rules{ruleFromText("412 268 xxxx", "8 xxxx", true, false),
                        ruleFromText("xxx xxx xxxx", "9 1 xxx xxx xxxx", true, true),
                        ruleFromText("650 xxx xxxx", "xxx xxxx", false, false)};
    std::int32_t counter = 0;
    RuleRowList rows = rowsOf(rules, counter);
    setRowRuleEnabled(rows[2], true);
    confirmRowRule(rows[0]);

    const RuleSet collected = collectRules(rows);
    ASSERT_EQ(collected.size(), rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        EXPECT_STREQ(collected[i].patternText(), rules[i].patternText()) << i;
        EXPECT_EQ(replacementTextOf(collected[i]), replacementTextOf(rules[i])) << i;
        EXPECT_TRUE(collected[i].isEnabled()) << i;
    }
    EXPECT_TRUE(collected[0].isVerified());
    // Switched on by the user.
    EXPECT_TRUE(collected[2].isVerified());
    EXPECT_TRUE(collectRules(RuleRowList{}).empty());
}

const DialingRule OFFICE = test::learnedRule({test::pairOf("412-268-1234", "8 1234"),
                                              test::pairOf("412-268-5555", "8 5555"),
                                              test::pairOf("412-268-7001", "8 7001")});

TEST(RulePatternBox, OffersNarrowerAndWiderPatternsOfTheShape) {
    DialingRule catchAll = OFFICE;
    catchAll.generalizeFully();
    DialingRule single = test::learnedRule({test::pairOf("412-268-1234", "8 1234")});
    single.generalizeFully();
    const struct {
        DialingRule rule;
        std::vector<std::string> choices;
    } cases[] = {
        {ruleFromText("412 268 xxxx", "8 xxxx"), {"412 268 xxxx", "412 xxx xxxx", "xxx xxx xxxx"}},
        {catchAll, {"412 268 xxxx", "412 xxx xxxx", "xxx xxx xxxx"}},
        {single, {"412 268 1234", "412 268 xxxx", "412 xxx xxxx", "xxx xxx xxxx"}},
        {ruleFromText("xxx xxxx", "9"), {"xxx xxxx"}},
        {ruleFromText("41x 2#8 xxxx", "9"), {"41x 2#8 xxxx", "41x xxx xxxx", "xxx xxx xxxx"}},
        {ruleFromText("+44 20 xxxx xxxx", "9"),
         {"+44 20 xxxx xxxx", "+44 xx xxxx xxxx", "+xx xx xxxx xxxx"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(patternChoices(c.rule), c.choices) << c.rule.patternText();
        std::int32_t counter = 0;
        const RuleRow row = makeRuleRow(c.rule, counter);
        EXPECT_STREQ(chosenPattern(row), c.rule.patternText());
        EXPECT_FALSE(rowIsEdited(row));
    }
}

TEST(RulePatternBox, NeverOffersAPatternAnotherRowHas) {
    DialingRule catchAll = OFFICE;
    catchAll.generalizeFully();
    std::int32_t counter = 0;
    RuleRowList rows{makeRuleRow(catchAll, counter),
                     makeRuleRow(ruleFromText("412 xxx xxxx", "9 1 xxx xxx xxxx"), counter)};
    // 412 268 xxxx and its own xxx xxx xxxx; not 412 xxx xxxx, which the other row has.
    EXPECT_EQ(offeredPatterns(rows, 0), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(offeredPatterns(rows, 1), (std::vector<std::size_t>{0}));
    ASSERT_TRUE(choosePattern(rows[0], 0));
    EXPECT_EQ(offeredPatterns(rows, 1), (std::vector<std::size_t>{0, 1}));
}

// What a row hands back on OK when the user typed a replacement: the rule the rules file
// reads from the same texts, confirmed, or the row's own rule when they form none.
TEST(RuleRowEdits, AnEditedRowIsReadAsTheRulesFileReadsIt) {
    for (const test::RuleText& t : test::ruleTexts()) {
        std::optional<DialingRule> own = DialingRule::fromText(t.pattern, "9", true, false);
        if (!own)
            continue; // the pattern box offers only patterns that are
        std::int32_t counter = 0;
        RuleRow row = makeRuleRow(*own, counter);
        row.replacement = std::string("  ") + t.replacement + " ";
        SCOPED_TRACE(row.replacement);
        EXPECT_EQ(rowIsReadable(row), t.shown != nullptr);
        EXPECT_STREQ(enabledLabelOf(row), t.shown != nullptr ? " (enabled)" : "(invalid)");
        const DialingRule rule = rowRule(row);
        EXPECT_EQ(rule.isVerified(), t.shown != nullptr);
        EXPECT_EQ(replacementTextOf(rule), t.shown != nullptr ? t.shown : "9");
        for (int k = 0; t.shown != nullptr && k < 2; ++k) {
            const std::optional<PhoneNumber> dialed = rule.apply(PhoneNumber(t.numbers[k]));
            ASSERT_TRUE(dialed.has_value());
            EXPECT_STREQ(dialed->digitForm(), t.dialed[k]);
        }
    }
}

// Any rule the dialog accepts is the rule the rules file gives back: the same texts, and the
// same dial string for every number of its pattern.
TEST(RuleRowEdits, WhatTheDialogAcceptsReadsBackFromTheFileAndDialsTheSame) {
    std::mt19937 random(20261209);
    const auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const char* const patterns[] = {"412 268 xxxx", "xxx xxx xxxx",     "xxx xxxx",
                                    "412 2680",     "+44 20 xxxx xxxx", "*67 xxx xxxx#"};
    const char* const pieces[] = {"x",   "X",  "xx", "xxx", "xxxx", " ", "  ", "8",   "9 1 ",
                                  "412", "20", "0",  "#",   "*",    "+", "-",  "268", "011 44 "};
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        const char* pattern = patterns[pick(std::size(patterns))];
        std::string replacement;
        for (std::size_t n = 1 + pick(6); n > 0; --n)
            replacement += pieces[pick(std::size(pieces))];
        std::int32_t counter = 0;
        RuleRow row = makeRuleRow(ruleFromText(pattern, "9", round % 3 != 0, false), counter);
        row.replacement = replacement;
        if (!rowIsReadable(row))
            continue;
        ++accepted;
        const DialingRule rule = rowRule(row);
        std::stringstream file;
        ASSERT_TRUE(writeRules(file, {rule}));
        RuleSet read;
        ASSERT_TRUE(readRules(file, read)) << file.str();
        ASSERT_EQ(read.size(), 1U) << file.str();
        EXPECT_STREQ(read[0].patternText(), rule.patternText());
        EXPECT_EQ(replacementTextOf(read[0]), replacementTextOf(rule)) << replacement;
        EXPECT_EQ(read[0].isEnabled(), rule.isEnabled());
        for (int k = 0; k < 3; ++k) {
            std::string number = pattern;
            for (char& c : number)
                c = c == 'x' ? static_cast<char>('0' + pick(10)) : c;
            const std::optional<PhoneNumber> before = rule.apply(PhoneNumber(number.c_str()));
            const std::optional<PhoneNumber> after = read[0].apply(PhoneNumber(number.c_str()));
            ASSERT_EQ(before.has_value(), after.has_value()) << replacement;
            if (before) {
                EXPECT_STREQ(after->digitForm(), before->digitForm()) << replacement;
            }
        }
    }
    EXPECT_GT(accepted, 300);
}

// A change in the dialog is a decision: the rule is confirmed, reads the same under every
// pattern of its shape, and keeps only the pairs that it explains.
TEST(RuleRowEdits, AChangeIsConfirmedAndForgetsThePairsItContradicts) {
    DialingRule catchAll = OFFICE;
    catchAll.generalizeFully();
    std::int32_t counter = 0;
    RuleRow row = makeRuleRow(catchAll, counter);
    EXPECT_EQ(row.replacement, "8 xxxx");
    EXPECT_TRUE(choosePattern(row, 0));
    EXPECT_FALSE(choosePattern(row, 0));
    EXPECT_FALSE(choosePattern(row, 7));
    EXPECT_EQ(row.replacement, "8 xxxx");
    const DialingRule narrowed = rowRule(row);
    EXPECT_STREQ(narrowed.patternText(), "412 268 xxxx");
    EXPECT_TRUE(narrowed.isVerified());
    EXPECT_EQ(narrowed.support().size(), 3U);

    row.replacement = "7 xxxx";
    const DialingRule edited = rowRule(row);
    EXPECT_EQ(replacementTextOf(edited), "7 xxxx");
    EXPECT_TRUE(edited.isVerified());
    EXPECT_TRUE(edited.support().empty());
}

} // namespace
} // namespace vellix
