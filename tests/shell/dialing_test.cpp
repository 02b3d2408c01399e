#include "fake_desktop.h"
#include "res/resource.h"
#include "rules/rule_learning.h"
#include "shell/shell.h"
#include "tests/rules/rule_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vellix {
namespace {

using testing::FakeDataFiles;
using testing::FakeDesktop;
using Calls = std::vector<std::string>;

class DialTest : public ::testing::Test {
protected:
    DialTest() {
        shell.onCreate();
        desktop.calls.clear();
    }

    void present(const char* text) {
        desktop.clipboard = CapturedNumberList{CapturedNumber(text, KIND_GENERAL, "Phone")};
        shell.onClipboardChange(0, 0);
        desktop.calls.clear();
    }

    // Types text over the box and presses Dial.
    void dial(const std::string& text) {
        desktop.numberBox = text;
        EXPECT_TRUE(shell.onCommand(CMD_DIAL));
    }

    FakeDesktop desktop;
    FakeDataFiles files{desktop.calls};
    Shell shell{desktop, files};
};

TEST_F(DialTest, LearnablePairIsCalledRecordedSavedAndLearned) {
    present("412-268-1234");
    dial("8 1234");

    // The box is neither read twice nor refilled.
    EXPECT_EQ(desktop.calls,
              (Calls{"readNumberBox", "requestCall 8 1234", "showCallPlaced", "appendToHistory"}));
    const DialingHistory& history = shell.state().history;
    ASSERT_EQ(history.size(), 1U);
    EXPECT_STREQ(history[0].copied, "412 268 1234");
    EXPECT_STREQ(history[0].dialed, "8 1234");
    EXPECT_EQ(files.storedHistory.size(), 1U);

    RuleSet expected = deriveWorkingRules(RuleSet(), pairsOf(history));
    std::reverse(expected.begin(), expected.end());
    const RuleSet& working = shell.state().workingRules;
    ASSERT_EQ(working.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_STREQ(working[i].patternText(), expected[i].patternText());
}

TEST_F(DialTest, NextNumberOfTheSameShapeIsProposedTheLearnedWay) {
    present("412-268-1234");
    dial("8 1234");
    desktop.calls.clear();
    desktop.clipboard = CapturedNumberList{CapturedNumber("650 555 0000", KIND_GENERAL, nullptr)};
    shell.onClipboardChange(0, 0);

    const Calls expected{"readClipboardNumbers",
                         "setNumberButtonImage 0",
                         "clearNumberBox",
                         "appendToNumberBox 650 555 0000",
                         "setNumberBoxText 650 555 0000",
                         "appendToNumberBox 8 0000",
                         "selectNumberBoxItem 1",
                         "showSingleNumberLayout",
                         "showWindow 4"};
    EXPECT_EQ(desktop.calls, expected);
}

TEST_F(DialTest, LeftCtrlTeachesWithoutCalling) {
    present("412-268-1234");
    desktop.leftCtrlDown = true;
    dial("8 1234");
    EXPECT_EQ(desktop.calls, (Calls{"readNumberBox", "appendToHistory"}));
    EXPECT_EQ(shell.state().history.size(), 1U);
    EXPECT_FALSE(shell.state().workingRules.empty());
}

TEST_F(DialTest, DialingTwiceRecordsTwice) {
    present("412-268-1234");
    dial("8 1234");
    dial("8 1234");
    EXPECT_EQ(shell.state().history.size(), 2U);
    EXPECT_EQ(files.storedHistory.size(), 2U);
}

struct UnlearnedCase {
    const char* name;
    const char* presented; // null: nothing presented since start-up
    std::string dialText;
    std::string called; // empty: no call requested
};

TEST(Dial, CallsButLearnsNothing) {
    const std::string tooLong = "0000 0000 0000 412 268 1234";
    const std::string overBuffer(200, '7');
    const UnlearnedCase cases[] = {
        {"empty box", "412-268-1234", "", ""},
        {"blanks", "412-268-1234", "  \t ", ""},
        {"a word", "412-268-1234", "Hello", ""},
        {"no digit", "412-268-1234", "#*#", ""},
        {"nothing presented", nullptr, "8 1234", "8 1234"},
        // What is dialed is the reading: '+' kept, letters as keys, the extension after a
        // pause, a typed dial string whole.
        {"international number", nullptr, "+44 (0)20 7946-0000", "+44 20 7946 0000"},
        {"vanity number", nullptr, "1-800-Flowers", "1 800 356 9377"},
        {"extension", nullptr, "412-268-1234 ext. 204", "412 268 1234,204"},
        {"pauses typed", nullptr, "9 011 44 20 7946 0000,,,204#", "9 011 44 20 7946 0000,,,204#"},
        {"presented entry without dialable characters", "hello", "8 1234", "8 1234"},
        {"another number typed in", "412-268-1234", "555 9999", "555 9999"},
        {"three shared characters", "412-268-1234", "9 234", "9 234"},
        {"text too long for a number", "412-268-1234", tooLong, tooLong},
        {"text cut to the buffer", "777 7777", overBuffer, overBuffer.substr(0, 127)},
    };
    for (const UnlearnedCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        FakeDataFiles files(desktop.calls);
        Shell shell(desktop, files);
        shell.onCreate();
        if (c.presented != nullptr) {
            desktop.clipboard =
                CapturedNumberList{CapturedNumber(c.presented, KIND_GENERAL, nullptr)};
            shell.onClipboardChange(0, 0);
        }
        desktop.calls.clear();
        desktop.numberBox = c.dialText;

        shell.onCommand(CMD_DIAL);

        EXPECT_EQ(desktop.calls,
                  c.called.empty()
                      ? Calls{"readNumberBox"}
                      : (Calls{"readNumberBox", "requestCall " + c.called, "showCallPlaced"}));
        EXPECT_TRUE(shell.state().history.empty());
        EXPECT_TRUE(shell.state().workingRules.empty());
    }
}

TEST_F(DialTest, FourSharedCharactersAreEnough) {
    present("412-268-1234");
    dial("9 1234");
    EXPECT_EQ(shell.state().history.size(), 1U);
}

// A failed save is told once per spell of failures, naming the file; the data stays in memory,
// the next save writes it, and the end of the spell is told when every file saves again.
TEST_F(DialTest, FailedSaveIsToldOnceAndTheNextSaveWritesWhatWasKept) {
    present("412-268-1234");
    files.historyReadOnly = true;
    dial("8 1234");
    EXPECT_EQ(desktop.calls, (Calls{"readNumberBox", "requestCall 8 1234", "showCallPlaced",
                                    "appendToHistory", "showSaveFailure DialingHistory.dat"}));
    EXPECT_EQ(shell.state().history.size(), 1U);
    EXPECT_FALSE(shell.state().workingRules.empty()) << "learned although not saved";

    // The rules file fails as well while the history still does: nothing more is said.
    files.rulesReadOnly = true;
    desktop.calls.clear();
    dial("8 1234");
    shell.onCommand(CMD_DIALING_RULES);
    EXPECT_EQ(desktop.calls, (Calls{"readNumberBox", "requestCall 8 1234", "showCallPlaced",
                                    "saveHistory", "runRulesDialog", "saveRules", "saveHistory"}));

    // The history saves again, with every kept pair, but the rules do not yet.
    files.historyReadOnly = false;
    desktop.calls.clear();
    dial("8 1234");
    EXPECT_EQ(desktop.calls,
              (Calls{"readNumberBox", "requestCall 8 1234", "showCallPlaced", "saveHistory"}));
    EXPECT_EQ(files.storedHistory.size(), 3U);

    files.rulesReadOnly = false;
    desktop.calls.clear();
    shell.onCommand(CMD_DIALING_RULES);
    EXPECT_EQ(desktop.calls,
              (Calls{"runRulesDialog", "saveRules", "showSavesResumed", "saveHistory"}));

    // A later failure starts a new spell and is told again.
    files.rulesReadOnly = true;
    desktop.calls.clear();
    shell.onCommand(CMD_DIALING_RULES);
    EXPECT_EQ(desktop.calls, (Calls{"runRulesDialog", "saveRules",
                                    "showSaveFailure DialingRules.dat", "saveHistory"}));
}

// A data file that is there but held by another program at start-up is never replaced by
// what was learned without it: the save waits, told as a failed one, until the file reads,
// and then what it holds joins what was learned meanwhile.
TEST(HeldDataFiles, AreReadBeforeTheyAreReplacedAndNothingIsLost) {
    FakeDesktop desktop;
    FakeDataFiles files(desktop.calls);
    const NumberPair old = test::pairOf("650 555 0000", "9 1 650 555 0000");
    files.storedHistory = {old};
    files.storedRules = {test::ruleFromText("555 xxxx", "9 xxx xxxx")};
    files.historyHeld = true;
    files.rulesHeld = true;
    Shell shell(desktop, files);
    shell.onCreate();
    EXPECT_TRUE(shell.state().history.empty());
    EXPECT_NE(
        std::find(desktop.calls.begin(), desktop.calls.end(), "showSaveFailure DialingHistory.dat"),
        desktop.calls.end());

    desktop.clipboard = CapturedNumberList{CapturedNumber("412-268-1234", KIND_GENERAL, nullptr)};
    shell.onClipboardChange(0, 0);
    desktop.numberBox = "8 1234";
    shell.onCommand(CMD_DIAL);
    shell.onCommand(CMD_DIALING_RULES);
    // Nothing written over the held files; the pair is kept in memory.
    EXPECT_EQ(files.storedHistory.size(), 1U);
    EXPECT_EQ(files.storedRules.size(), 1U);
    EXPECT_EQ(shell.state().history.size(), 1U);

    files.historyHeld = false;
    files.rulesHeld = false;
    desktop.calls.clear();
    desktop.numberBox = "8 1234";
    shell.onCommand(CMD_DIAL);
    shell.onCommand(CMD_DIALING_RULES);
    ASSERT_EQ(files.storedHistory.size(), 3U);
    EXPECT_EQ(test::describe(files.storedHistory[0]), test::describe(old));
    ASSERT_EQ(files.storedRules.size(), 1U);
    EXPECT_STREQ(files.storedRules[0].patternText(), "555 xxxx");
    EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "showSavesResumed"), 1);
}

// Exit never drops what could not be saved without a word: it saves once more, then asks.
TEST_F(DialTest, ExitWithUnsavedDataSavesOnceMoreThenAsks) {
    files.historyReadOnly = true;
    present("412-268-1234");
    dial("8 1234");
    desktop.calls.clear();
    desktop.unsavedAnswers = {UnsavedDataChoice::GO_BACK};
    shell.onCommand(CMD_EXIT);
    EXPECT_EQ(desktop.calls, (Calls{"saveHistory", "askAboutUnsavedData DialingHistory.dat"}));

    // No file chosen, then one that cannot be written: asked again each time.
    desktop.calls.clear();
    desktop.unsavedAnswers = {UnsavedDataChoice::KEEP_IN_FILE, UnsavedDataChoice::KEEP_IN_FILE,
                              UnsavedDataChoice::KEEP_IN_FILE};
    desktop.chosenFiles = {"", "/no/kept.dat", "C:/kept.dat"};
    shell.onCommand(CMD_EXIT);
    EXPECT_EQ(
        desktop.calls,
        (Calls{"saveHistory", "askAboutUnsavedData DialingHistory.dat",
               "chooseFileToKeep DialingHistory.dat", "askAboutUnsavedData DialingHistory.dat",
               "chooseFileToKeep DialingHistory.dat", "keepHistoryIn /no/kept.dat",
               "askAboutUnsavedData DialingHistory.dat", "chooseFileToKeep DialingHistory.dat",
               "keepHistoryIn C:/kept.dat", "destroyWindow"}));
    EXPECT_EQ(files.kept["C:/kept.dat"], 1U);

    // Saved at the last try: nothing to ask.
    files.historyReadOnly = false;
    desktop.calls.clear();
    shell.onCommand(CMD_EXIT);
    EXPECT_EQ(desktop.calls, (Calls{"saveHistory", "showSavesResumed", "destroyWindow"}));
    EXPECT_EQ(files.storedHistory.size(), 1U);
}

// Signing out saves what failed once more and, while something is still unsaved, holds the
// end with a reason the user sees; an installer's close is never held and ends the program.
TEST_F(DialTest, SessionEndSavesOnceMoreAndHoldsOnlyASignOut) {
    files.historyReadOnly = true;
    present("412-268-1234");
    dial("8 1234");
    desktop.calls.clear();
    EXPECT_FALSE(shell.onQueryEndSession(false));
    EXPECT_EQ(desktop.calls,
              (Calls{"saveHistory", std::string("holdSessionEnd ") + SESSION_UNSAVED_REASON}));

    desktop.calls.clear();
    shell.onEndSession(false, false);
    EXPECT_EQ(desktop.calls, (Calls{"holdSessionEnd "}));

    desktop.calls.clear();
    EXPECT_TRUE(shell.onQueryEndSession(true));
    shell.onEndSession(true, true);
    EXPECT_EQ(desktop.calls, (Calls{"saveHistory", "saveHistory", "destroyWindow"}));

    files.historyReadOnly = false;
    desktop.calls.clear();
    EXPECT_TRUE(shell.onQueryEndSession(false));
    EXPECT_EQ(desktop.calls, (Calls{"saveHistory", "showSavesResumed", "holdSessionEnd "}));
    EXPECT_EQ(files.storedHistory.size(), 1U);
}

} // namespace
} // namespace vellix
