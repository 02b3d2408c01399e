#include "rules_dialog/rules_dialog_state.h"

#include "rules/number_pair.h"
#include "tests/rules/rule_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace vellix {
namespace {

using test::ruleFromText;

RuleSet threeRules() {
    return {ruleFromText("412 268 xxxx", "8 xxxx", true, false),
            ruleFromText("650 xxx xxxx", "9 1 650 xxx xxxx", true, true),
            ruleFromText("xxx xxxx", "xxx xxxx", false, false)};
}

// What opening the dialog does to the state, without windows.
RulesDialogState openOn(RuleSet& rules) {
    RulesDialogState state;
    state.rules = &rules;
    for (const DialingRule& rule : rules)
        state.rows.push_back(makeRuleRow(rule, state.idCounter));
    return state;
}

std::string describe(const DialingRule& rule) {
    return std::string(rule.patternText()) + " as " + replacementTextOf(rule) +
           (rule.isEnabled() ? " on" : " off") + (rule.isVerified() ? " verified" : "");
}

void expectSameRules(const RuleSet& actual, const RuleSet& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(describe(actual[i]), describe(expected[i])) << "rule " << i;
}

TEST(RowCommands, TheBoxesAndButtonsActTheLabelsDoNothing) {
    RuleSet rules = threeRules();
    const RulesDialogState state = openOn(rules);
    const struct {
        std::int32_t id;
        RowAction action;
        std::size_t row;
    } cases[] = {
        {1029, RowAction::TOGGLE_ROW, 0}, {1040, RowAction::CONFIRM_ROW, 1},
        {1050, RowAction::DELETE_ROW, 2}, {1038, RowAction::TOGGLE_ROW, 1},
        {1024, RowAction::NOTHING, 0},    {1034, RowAction::CHOOSE_PATTERN, 1},
        {1027, RowAction::NOTHING, 0},    {1028, RowAction::NOTHING, 0},
        {1030, RowAction::NOTHING, 0},    {1, RowAction::NOTHING, 0},
        {2, RowAction::NOTHING, 0},       {135, RowAction::NOTHING, 0},
        {1023, RowAction::NOTHING, 0},    {1051, RowAction::NOTHING, 0},
        {-5, RowAction::NOTHING, 0},
    };
    for (const auto& c : cases) {
        const RowCommand command = rowCommandFor(state, c.id);
        EXPECT_EQ(command.action, c.action) << "id " << c.id;
        if (c.action != RowAction::NOTHING) {
            EXPECT_EQ(command.row, c.row) << "id " << c.id;
        }
    }
}

TEST(RowCommands, IdsOfADeletedRowDoNothingAndLaterRowsKeepTheirs) {
    RuleSet rules = threeRules();
    RulesDialogState state = openOn(rules);
    const RowCommand del = rowCommandFor(state, 1041);
    ASSERT_EQ(del.action, RowAction::DELETE_ROW);
    removeRuleRow(state, del.row);

    for (std::int32_t id = 1033; id <= 1041; ++id)
        EXPECT_EQ(rowCommandFor(state, id).action, RowAction::NOTHING) << "id " << id;
    const RowCommand last = rowCommandFor(state, 1047);
    EXPECT_EQ(last.action, RowAction::TOGGLE_ROW);
    EXPECT_EQ(last.row, 1U);
    EXPECT_EQ(state.idCounter, 27);
    EXPECT_STREQ(state.rows[1].rule.patternText(), "xxx xxxx");
}

// Ids past 16 bits, from row 7,168 on, still name their own row and control.
TEST(RowCommands, TenThousandRowsEachKeepTheirOwnIds) {
    RuleSet rules(10000, ruleFromText("xxx xxxx", "9"));
    RulesDialogState state = openOn(rules);
    for (const std::size_t row : {std::size_t{0}, std::size_t{7168}, std::size_t{9999}}) {
        const RowCommand del = rowCommandFor(state, controlId(state.rows[row], DELETE_BUTTON));
        EXPECT_EQ(del.action, RowAction::DELETE_ROW) << "row " << row;
        EXPECT_EQ(del.row, row);
        const RowCommand toggle = rowCommandFor(state, controlId(state.rows[row], ENABLE_BOX));
        EXPECT_EQ(toggle.action, RowAction::TOGGLE_ROW) << "row " << row;
        EXPECT_EQ(toggle.row, row);
    }
    EXPECT_GT(controlId(state.rows[9999], DELETE_BUTTON), 0xFFFF);
}

TEST(RowCommands, RemovingARowTwiceOrOutOfRangeIsHarmless) {
    RuleSet rules = threeRules();
    RulesDialogState state = openOn(rules);
    removeRuleRow(state, 7);
    EXPECT_EQ(state.rows.size(), 3U);
    removeRuleRow(state, 2);
    removeRuleRow(state, 2);
    EXPECT_EQ(state.rows.size(), 2U);
}

TEST(RulesDialogOk, HandsBackTheEditedRowsInOrderWithoutDeletedOnes) {
    RuleSet rules = threeRules();
    const RuleSet before = rules;
    RulesDialogState state = openOn(rules);
    confirmRowRule(state.rows[0]);
    setRowRuleEnabled(state.rows[2], true);
    removeRuleRow(state, 1);
    acceptRules(state);

    RuleSet expected{before[0], before[2]};
    expected[0].confirm();
    // Switched on by the user, so kept as the user left it.
    expected[1].setEnabled(true);
    expected[1].confirm();
    expectSameRules(rules, expected);
}

TEST(RulesDialogOk, DeletingEveryRowEmptiesTheCallersRules) {
    RuleSet rules = threeRules();
    RulesDialogState state = openOn(rules);
    while (!state.rows.empty())
        removeRuleRow(state, rowCommandFor(state, controlId(state.rows[0], DELETE_BUTTON)).row);
    acceptRules(state);
    EXPECT_TRUE(rules.empty());
}

TEST(RulesDialogOk, AnEmptySetStaysEmpty) {
    RuleSet rules;
    RulesDialogState state = openOn(rules);
    EXPECT_EQ(state.idCounter, 0);
    acceptRules(state);
    EXPECT_TRUE(rules.empty());
}

TEST(RulesDialogOk, LearnedRulesKeepTheirSupportingPairs) {
    NumberPair pair;
    pair.setNumbers("412-268-1234", "8 1234");
    DialingRule learned = DialingRule::fromPair(pair);
    learned.generalizeToSupport();
    RuleSet rules{learned};
    RulesDialogState state = openOn(rules);
    confirmRowRule(state.rows[0]);
    acceptRules(state);
    ASSERT_EQ(rules.size(), 1U);
    ASSERT_EQ(rules[0].support().size(), 1U);
    EXPECT_STREQ(rules[0].support()[0].dialed.digitForm(), "8 1234");
    EXPECT_TRUE(rules[0].isVerified());
}

TEST(RulesDialogOk, WithoutACallerSetNothingHappens) {
    RulesDialogState state;
    state.rows.push_back(makeRuleRow(DialingRule{}, state.idCounter));
    acceptRules(state);
    EXPECT_EQ(state.rows.size(), 1U);
}

TEST(RulesDialogCancel, LeavesTheCallersRulesExactlyAsTheyWere) {
    RuleSet rules = threeRules();
    const RuleSet before = rules;
    RulesDialogState state = openOn(rules);
    setRowRuleEnabled(state.rows[0], false);
    confirmRowRule(state.rows[2]);
    removeRuleRow(state, 1);
    // Cancel ends the dialog without handing anything back.
    expectSameRules(rules, before);
}

} // namespace
} // namespace vellix
