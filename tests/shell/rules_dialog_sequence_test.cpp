#include "fake_desktop.h"
#include "res/resource.h"
#include "rules/rule_learning.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vellix {
namespace {

using testing::FakeDataFiles;
using testing::FakeDesktop;
using Calls = std::vector<std::string>;
using Texts = std::vector<std::string>;

Texts patternsOf(const RuleSet& rules) {
    Texts patterns;
    for (const DialingRule& rule : rules)
        patterns.emplace_back(rule.patternText());
    return patterns;
}

Texts pairTexts(const PairList& pairs) {
    Texts texts;
    for (const NumberPair& pair : pairs)
        texts.push_back(std::string(pair.copied.digitForm()) + " -> " + pair.dialed.digitForm());
    return texts;
}

Texts pairTexts(const DialingHistory& history) {
    return pairTexts(vellix::pairsOf(history));
}

// Started with a history of three pairs of different shapes, so that the working set holds
// a learned rule for each, none of them verified.
class RulesDialogSequenceTest : public ::testing::Test {
protected:
    RulesDialogSequenceTest() {
        files.storedHistory = {NumberPair().setNumbers("412 268 1234", "8 1234"),
                               NumberPair().setNumbers("650 555 0000", "9 1 650 555 0000"),
                               NumberPair().setNumbers("555 0100", "9 555 0100")};
        shell.onCreate();
        desktop.calls.clear();
    }

    RuleSet& working() { return shell.state().workingRules; }

    FakeDesktop desktop;
    FakeDataFiles files{desktop.calls};
    Shell shell{desktop, files};
};

TEST_F(RulesDialogSequenceTest, DialogThenRulesFileThenHistoryFile) {
    EXPECT_TRUE(shell.onCommand(CMD_DIALING_RULES));
    EXPECT_EQ(desktop.calls, (Calls{"runRulesDialog", "saveRules", "saveHistory"}));
}

TEST_F(RulesDialogSequenceTest, DialogEditsTheWorkingRulesThemselves) {
    const RuleSet* edited = nullptr;
    desktop.inRulesDialog = [&edited](RuleSet& rules) { edited = &rules; };
    shell.onCommand(CMD_DIALING_RULES);
    EXPECT_EQ(edited, &working());
}

TEST_F(RulesDialogSequenceTest, ConfirmedRuleIsSavedAfterOk) {
    ASSERT_GE(working().size(), 3U);
    const std::string confirmed = working()[1].patternText();
    desktop.inRulesDialog = [](RuleSet& rules) { rules[1].confirm(); };
    shell.onCommand(CMD_DIALING_RULES);

    EXPECT_EQ(patternsOf(files.storedRules), Texts{confirmed});
    EXPECT_EQ(patternsOf(shell.state().storedRules), Texts{confirmed});
    ASSERT_EQ(files.storedRules.size(), 1U);
    EXPECT_TRUE(files.storedRules[0].isVerified());
}

// The history keeps the order the pairs were dialed in, which learning goes by, not the
// order of the rules that hold them.
TEST_F(RulesDialogSequenceTest, CancelStillRewritesBothFilesFromUnchangedRules) {
    working()[0].confirm();
    working()[2].confirm();
    const Texts historyBefore = pairTexts(shell.state().history);
    ASSERT_NE(historyBefore, pairTexts(extractHistory(working())));
    files.storedHistory.clear();
    const Texts rulesBefore = patternsOf(working());
    shell.onCommand(CMD_DIALING_RULES);

    EXPECT_EQ(patternsOf(working()), rulesBefore);
    EXPECT_EQ(patternsOf(files.storedRules), (Texts{rulesBefore[0], rulesBefore[2]}));
    EXPECT_EQ(pairTexts(files.storedHistory), historyBefore);
    EXPECT_EQ(pairTexts(shell.state().history), historyBefore);
}

TEST_F(RulesDialogSequenceTest, DeletedRulesPairsLeaveTheHistory) {
    ASSERT_GE(working().size(), 3U);
    const Texts deletedPairs = pairTexts(working()[1].support());
    ASSERT_FALSE(deletedPairs.empty());
    desktop.inRulesDialog = [](RuleSet& rules) { rules.erase(rules.begin() + 1); };
    shell.onCommand(CMD_DIALING_RULES);

    const Texts saved = pairTexts(files.storedHistory);
    EXPECT_EQ(saved.size(), 3 - deletedPairs.size());
    for (const std::string& pair : deletedPairs)
        EXPECT_EQ(std::count(saved.begin(), saved.end(), pair), 0) << pair;
}

TEST_F(RulesDialogSequenceTest, RulesAreNeitherDerivedAgainNorReversedAndBoxKeepsItsText) {
    // An order and states that deriving again would change: a switched-off catch-all first.
    desktop.inRulesDialog = [](RuleSet& rules) {
        std::reverse(rules.begin(), rules.end());
        rules[0].setEnabled(false);
    };
    Texts expected = patternsOf(working());
    std::reverse(expected.begin(), expected.end());
    shell.onCommand(CMD_DIALING_RULES);

    EXPECT_EQ(patternsOf(working()), expected);
    EXPECT_FALSE(working()[0].isEnabled());
    EXPECT_EQ(desktop.calls, (Calls{"runRulesDialog", "saveRules", "saveHistory"}));
}

// A link handed over while the dialog is open is proposed behind it; the dialog, not the
// disabled main window, comes forward.
TEST_F(RulesDialogSequenceTest, LinkWhileOpenIsProposedBehindTheDialog) {
    desktop.inRulesDialog = [this](RuleSet&) {
        desktop.calls.clear();
        shell.onLink("tel:+1-650-555-0000");
        EXPECT_EQ(desktop.calls.back(), "bringRulesDialogToFront");
        EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "bringToForeground"), 0);
    };
    shell.onCommand(CMD_DIALING_RULES);
    EXPECT_STREQ(shell.state().proposedNumber.digitForm(), "650 555 0000");
}

// Signing out with the dialog open is held with its reason; an installer's close is not held
// and leaves the dialog to end with the process.
TEST_F(RulesDialogSequenceTest, SessionEndWhileOpenHoldsOnlyASignOut) {
    desktop.inRulesDialog = [this](RuleSet&) {
        desktop.calls.clear();
        EXPECT_FALSE(shell.onQueryEndSession(false));
        EXPECT_TRUE(shell.onQueryEndSession(true));
        shell.onEndSession(true, true);
        EXPECT_EQ(desktop.calls, (std::vector<std::string>{std::string("holdSessionEnd ") +
                                                           SESSION_EDITING_REASON}));
    };
    shell.onCommand(CMD_DIALING_RULES);
    desktop.calls.clear();
    EXPECT_TRUE(shell.onQueryEndSession(false));
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"holdSessionEnd "}));
}

TEST_F(RulesDialogSequenceTest, CommandWhileOpenBringsTheDialogForwardInsteadOfASecond) {
    desktop.inRulesDialog = [this](RuleSet& rules) {
        EXPECT_TRUE(shell.onCommand(CMD_DIALING_RULES));
        rules[0].confirm();
    };
    shell.onCommand(CMD_DIALING_RULES);
    EXPECT_EQ(desktop.calls,
              (Calls{"runRulesDialog", "bringRulesDialogToFront", "saveRules", "saveHistory"}));
    EXPECT_EQ(files.storedRules.size(), 1U);

    // Once closed, the command opens the dialog again.
    desktop.inRulesDialog = nullptr;
    desktop.calls.clear();
    shell.onCommand(CMD_DIALING_RULES);
    EXPECT_EQ(desktop.calls, (Calls{"runRulesDialog", "saveRules", "saveHistory"}));
}

} // namespace
} // namespace vellix
