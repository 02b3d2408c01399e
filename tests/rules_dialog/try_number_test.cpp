#include "rules_dialog/try_number.h"

#include "tests/rules/rule_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vellix {
namespace {

using test::ruleFromText;

// Rows as the dialog holds them after each of the user's steps, and what Try shows then.
TEST(TryNumber, ShowsWhatTheRowsAsTheyStandMakeOfTheNumber) {
    enum Step { AS_OPENED, SWITCH_OFF_EXTENSION, DELETE_EXTENSION, EDIT_LONG_DISTANCE };
    const struct {
        Step step;
        const char* typed;
        const char* expected;
    } cases[] = {
        {AS_OPENED, "", ""},
        {AS_OPENED, "412-268-1234", "8 1234, 9 1 412 268 1234"},
        // Equal strings of two rules are both listed, as the number box lists them.
        {AS_OPENED, "(650) 555-0000", "9 1 650 555 0000"},
        {AS_OPENED, "555 0199", "no rule applies"},
        {AS_OPENED, "a text far too long to be a number", "no rule applies"},
        // A switched-off rule is offered, never selected: the number as copied comes first.
        {SWITCH_OFF_EXTENSION, "412 268 1234", "9 1 412 268 1234, 8 1234"},
        {DELETE_EXTENSION, "412 268 1234", "9 1 412 268 1234"},
        {EDIT_LONG_DISTANCE, "412 268 1234", "8 1234, 1 412 268 1234"},
        // A replacement that forms no rule leaves the rule as it was.
        {EDIT_LONG_DISTANCE, "650 555 0000", "1 650 555 0000, 9 1 650 555 0000"},
    };
    for (const auto& c : cases) {
        std::int32_t counter = 0;
        RuleRowList rows;
        rows.push_back(makeRuleRow(ruleFromText("412 268 xxxx", "8 xxxx"), counter));
        rows.push_back(makeRuleRow(ruleFromText("xxx xxx xxxx", "9 1 xxx xxx xxxx"), counter));
        rows.push_back(makeRuleRow(ruleFromText("650 xxx xxxx", "9 1 650 xxx xxxx"), counter));
        switch (c.step) {
        case SWITCH_OFF_EXTENSION:
            setRowRuleEnabled(rows[0], false);
            break;
        case DELETE_EXTENSION:
            rows.erase(rows.begin());
            break;
        case EDIT_LONG_DISTANCE:
            rows[1].replacement = "1 xxx xxx xxxx";
            rows[2].replacement = "9 (1) xxxx";
            rows[2].rule.setEnabled(false);
            break;
        case AS_OPENED:
            break;
        }
        EXPECT_EQ(tryText(rows, c.typed), c.expected) << "step " << c.step << ", " << c.typed;
    }
}

} // namespace
} // namespace vellix
