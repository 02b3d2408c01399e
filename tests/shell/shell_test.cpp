#include "fake_desktop.h"
#include "res/resource.h"
#include "rules/rule_learning.h"
#include "shell/presentation.h"
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

CapturedNumberList numbers(std::initializer_list<CapturedNumber> entries) {
    return {entries};
}

class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        desktop.nameWindow(&viewer, "viewer");
        desktop.nameWindow(&other, "other");
        desktop.nameWindow(&following, "following");
    }

    // Starts the shell and forgets the start-up's calls.
    void start(WindowHandle previousViewer = nullptr) {
        desktop.previousViewer = previousViewer;
        shell.onCreate();
        desktop.calls.clear();
    }

    int viewer = 0;
    int other = 0;
    int following = 0;
    FakeDesktop desktop;
    FakeDataFiles files{desktop.calls};
    Shell shell{desktop, files};
};

// Start-up.

TEST_F(ShellTest, StartUpAddsIconBuildsStripLoadsFilesThenJoinsChainWithoutListener) {
    shell.onCreate();
    EXPECT_EQ(desktop.calls,
              (Calls{"addTrayIcon", "createToolbarStrip", "loadHistory", "loadRules",
                     "loadSettings", "listenToClipboard, missing", "joinClipboardChain"}));
}

// The listener announces only later changes, and has no chain to hand changes on to or to
// leave at the end.
TEST_F(ShellTest, ListenerReadsPresentClipboardAtStartThenEachUpdate) {
    desktop.hasListener = true;
    desktop.clipboard = numbers({CapturedNumber("412-268-1234", KIND_GENERAL, "Phone")});
    shell.onCreate();
    EXPECT_EQ(std::vector<std::string>(desktop.calls.begin() + 5, desktop.calls.begin() + 7),
              (Calls{"listenToClipboard", "readClipboardNumbers"}));
    EXPECT_STREQ(shell.state().proposedNumber.text(), "412-268-1234");

    desktop.calls.clear();
    desktop.busyReads = 1;
    desktop.clipboard = numbers({CapturedNumber("555-0100", KIND_CELL, "Cell phone")});
    shell.onClipboardUpdate();
    shell.onClipboardRetry();
    EXPECT_EQ(std::vector<std::string>(desktop.calls.begin(), desktop.calls.begin() + 3),
              (Calls{"readClipboardNumbers",
                     "scheduleClipboardRetry " + std::to_string(CLIPBOARD_RETRY_MS),
                     "readClipboardNumbers"}));
    EXPECT_STREQ(shell.state().proposedNumber.text(), "555-0100");

    desktop.calls.clear();
    shell.onDestroy();
    EXPECT_EQ(desktop.calls,
              (Calls{"stopListeningToClipboard", "removeTrayIcon", "quitMessageLoop"}));
}

TEST_F(ShellTest, StartUpRemembersPreviousFirstViewerAsNext) {
    desktop.previousViewer = &viewer;
    shell.onCreate();
    EXPECT_EQ(shell.nextViewer(), &viewer);
}

TEST_F(ShellTest, StartUpPresentsClipboardInsideJoinWithoutForwarding) {
    desktop.previousViewer = &viewer;
    desktop.clipboard = numbers({CapturedNumber("412-268-1234", KIND_GENERAL, "Phone")});
    desktop.onJoin = [this] { shell.onClipboardChange(0, 0); };
    shell.onCreate();

    const Calls expected{"addTrayIcon",
                         "createToolbarStrip",
                         "loadHistory",
                         "loadRules",
                         "loadSettings",
                         "listenToClipboard, missing",
                         "joinClipboardChain",
                         "readClipboardNumbers",
                         "setNumberButtonImage 0",
                         "clearNumberBox",
                         "appendToNumberBox 412 268 1234",
                         "setNumberBoxText 412 268 1234",
                         "selectNumberBoxItem 0",
                         "showSingleNumberLayout",
                         "showWindow 4"};
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_STREQ(shell.state().proposedNumber.text(), "412-268-1234");
}

TEST_F(ShellTest, StartUpWithEmptyClipboardLeavesEverythingEmpty) {
    desktop.onJoin = [this] { shell.onClipboardChange(0, 0); };
    shell.onCreate();
    EXPECT_TRUE(shell.state().capturedNumbers.empty());
    EXPECT_STREQ(shell.state().proposedNumber.text(), "");
    EXPECT_EQ(desktop.calls.back(), "readClipboardNumbers");
}

TEST_F(ShellTest, StartUpLoadsStoredRulesAndHistory) {
    files.storedHistory.push_back(NumberPair().setNumbers("412 268 1234", "8 1234"));
    shell.onCreate();
    ASSERT_EQ(shell.state().history.size(), 1U);
    EXPECT_STREQ(shell.state().history[0].dialed, "8 1234");
    EXPECT_FALSE(shell.state().workingRules.empty());
}

TEST_F(ShellTest, WorkingRulesAreDerivedThenReversed) {
    files.storedHistory.push_back(NumberPair().setNumbers("412 268 1234", "8 1234"));
    files.storedHistory.push_back(NumberPair().setNumbers("650 555 0000", "9 1 650 555 0000"));
    files.storedHistory.push_back(NumberPair().setNumbers("555 0100", "9 555 0100"));
    shell.onCreate();

    RuleSet derived = deriveWorkingRules(RuleSet(), files.storedHistory);
    ASSERT_GE(derived.size(), 2U);
    const RuleSet& working = shell.state().workingRules;
    ASSERT_EQ(working.size(), derived.size());
    for (std::size_t i = 0; i < derived.size(); ++i)
        EXPECT_STREQ(working[i].patternText(), derived[derived.size() - 1 - i].patternText());
}

// Shut-down.

TEST_F(ShellTest, ShutDownLeavesChainRemovesIconAndQuits) {
    start(&viewer);
    shell.onDestroy();
    EXPECT_EQ(desktop.calls,
              (Calls{"leaveClipboardChain viewer", "removeTrayIcon", "quitMessageLoop"}));
    EXPECT_EQ(shell.nextViewer(), nullptr);
}

// Clipboard changes.

TEST_F(ShellTest, ChangeIsForwardedToNextViewerBeforeReading) {
    start(&viewer);
    shell.onClipboardChange(7, 9);
    EXPECT_EQ(desktop.calls, (Calls{"forwardClipboardChange viewer 7 9", "readClipboardNumbers"}));
}

TEST_F(ShellTest, FailedReadChangesNothing) {
    start();
    desktop.clipboard = numbers({CapturedNumber("412-268-1234", KIND_GENERAL, "Phone"),
                                 CapturedNumber("555-0100", KIND_CELL, "Cell phone")});
    shell.onClipboardChange(0, 0);
    desktop.clipboard.reset();
    desktop.calls.clear();

    shell.onClipboardChange(0, 0);

    EXPECT_EQ(desktop.calls, (Calls{"readClipboardNumbers"}));
    EXPECT_EQ(shell.state().capturedNumbers.size(), 2U);
    EXPECT_STREQ(shell.state().proposedNumber.text(), "412-268-1234");
}

TEST_F(ShellTest, SuccessfulReadReplacesCapturedNumbers) {
    start();
    desktop.clipboard = numbers({CapturedNumber("412-268-1234", KIND_GENERAL, "Phone"),
                                 CapturedNumber("555-0100", KIND_CELL, "Cell phone")});
    shell.onClipboardChange(0, 0);
    desktop.clipboard = numbers({CapturedNumber("650 555 0000", KIND_GENERAL, nullptr)});
    shell.onClipboardChange(0, 0);

    ASSERT_EQ(shell.state().capturedNumbers.size(), 1U);
    EXPECT_STREQ(shell.state().capturedNumbers[0].label(), "Default");
    EXPECT_STREQ(shell.state().proposedNumber.digitForm(), "650 555 0000");
}

// Another program holding the clipboard open right after a change: the read is tried again on
// the timer until the clipboard opens, a bounded number of times; a later change starts afresh
// and makes a retry still pending stale.
TEST_F(ShellTest, HeldClipboardIsReadAgainOnTheTimerWithinTheBound) {
    start();
    desktop.clipboard = numbers({CapturedNumber("412-268-1234", KIND_GENERAL, "Phone")});
    desktop.busyReads = 2;
    shell.onClipboardChange(0, 0);
    shell.onClipboardRetry();
    EXPECT_EQ(desktop.calls, (Calls{"readClipboardNumbers", "scheduleClipboardRetry 50",
                                    "readClipboardNumbers", "scheduleClipboardRetry 50"}));
    shell.onClipboardRetry();
    EXPECT_STREQ(shell.state().proposedNumber.text(), "412-268-1234");
    desktop.calls.clear();
    shell.onClipboardRetry();
    EXPECT_EQ(desktop.calls, Calls{}) << "a retry after the read succeeded";

    desktop.clipboard = numbers({CapturedNumber("555-0100", KIND_GENERAL, "Phone")});
    desktop.busyReads = CLIPBOARD_RETRIES + 1;
    shell.onClipboardChange(0, 0);
    for (int i = 0; i < CLIPBOARD_RETRIES; ++i)
        shell.onClipboardRetry();
    const auto reads =
        std::count(desktop.calls.begin(), desktop.calls.end(), "readClipboardNumbers");
    EXPECT_EQ(reads, CLIPBOARD_RETRIES + 1);
    EXPECT_EQ(desktop.calls.back(), "readClipboardNumbers") << "no retry beyond the bound";
    EXPECT_STREQ(shell.state().proposedNumber.text(), "412-268-1234");

    desktop.busyReads = 1;
    shell.onClipboardChange(0, 0);
    shell.onClipboardChange(0, 0);
    desktop.calls.clear();
    shell.onClipboardRetry();
    EXPECT_EQ(desktop.calls, Calls{}) << "a retry of a change already read";
    EXPECT_STREQ(shell.state().proposedNumber.text(), "555-0100");
}

TEST_F(ShellTest, SeveralNumbersShowNumberButtonWithFirstKindAndLabel) {
    start();
    desktop.clipboard = numbers({CapturedNumber("555-0100", KIND_CELL, "Cell phone"),
                                 CapturedNumber("555-0199", KIND_HOME, "Home phone")});
    shell.onClipboardChange(0, 0);
    const Calls expected{"readClipboardNumbers",
                         "setNumberButtonImage 2",
                         "clearNumberBox",
                         "appendToNumberBox 555 0100",
                         "setNumberBoxText 555 0100",
                         "selectNumberBoxItem 0",
                         "showSeveralNumbersLayout 2 Cell phone",
                         "showWindow 4"};
    EXPECT_EQ(desktop.calls, expected);
}

TEST_F(ShellTest, EntryWithoutDialableCharacterStillShowsWindow) {
    start();
    desktop.clipboard = numbers({CapturedNumber("hello", KIND_GENERAL, nullptr)});
    shell.onClipboardChange(0, 0);
    EXPECT_EQ(desktop.numberBox, "");
    EXPECT_EQ(desktop.calls.back(), "showWindow 4");
}

TEST(Presentation, EmptyListChangesNothing) {
    FakeDesktop desktop;
    PhoneNumber proposed("412-268-1234");
    RuleSet rules;
    presentCapturedNumbers(desktop, CapturedNumberList(), proposed, rules);
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_STREQ(proposed.text(), "412-268-1234");
}

// The clipboard-viewer chain.

struct ChainCase {
    const char* name;
    bool hasNext;
    bool removedIsNext;
    std::string forwarded; // empty: nothing forwarded
    const char* nextAfter;
};

TEST_F(ShellTest, ChainChangeKeepsNextViewerRight) {
    const ChainCase cases[] = {
        {"next leaves", true, true, "", "following"},
        {"another leaves", true, false, "forwardChainChange viewer other following", "viewer"},
        {"no next viewer", false, false, "", "none"},
    };
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop chainDesktop;
        chainDesktop.nameWindow(&viewer, "viewer");
        chainDesktop.nameWindow(&other, "other");
        chainDesktop.nameWindow(&following, "following");
        FakeDataFiles chainFiles(chainDesktop.calls);
        Shell chainShell(chainDesktop, chainFiles);
        chainDesktop.previousViewer = c.hasNext ? &viewer : nullptr;
        chainShell.onCreate();
        chainDesktop.calls.clear();

        chainShell.onChainChange(c.removedIsNext ? &viewer : &other, &following);

        const Calls expected = c.forwarded.empty() ? Calls{} : Calls{c.forwarded};
        EXPECT_EQ(chainDesktop.calls, expected);
        WindowHandle expectedNext = nullptr;
        if (std::string(c.nextAfter) == "following")
            expectedNext = &following;
        else if (std::string(c.nextAfter) == "viewer")
            expectedNext = &viewer;
        EXPECT_EQ(chainShell.nextViewer(), expectedNext);
    }
}

TEST_F(ShellTest, ViewerAfterChainChangeGetsLaterClipboardChanges) {
    start(&viewer);
    shell.onChainChange(&viewer, &following);
    shell.onClipboardChange(1, 2);
    EXPECT_EQ(desktop.calls.front(), "forwardClipboardChange following 1 2");
}

// Hiding and showing the window.

TEST_F(ShellTest, CloseMinimisesAndMinimisingHides) {
    start();
    shell.onClose();
    shell.onSize(false);
    shell.onSize(true);
    EXPECT_EQ(desktop.calls, (Calls{"showWindow 6", "showWindow 0"}));
}

struct TrayCase {
    const char* name;
    // Whether the icon announces selections and menu requests.
    bool announces;
    std::uint32_t mouseMessage;
    bool visible;
    Calls expected;
};

TEST_F(ShellTest, TrayMouseMessages) {
    const Calls show{"showWindow 5", "showWindow 9", "bringToForeground", "focusNumberBox"};
    const TrayCase cases[] = {
        {"left click while shown",
         false,
         MOUSE_LEFT_UP,
         true,
         {"bringToForeground", "focusNumberBox"}},
        {"left click while hidden", false, MOUSE_LEFT_UP, false, {}},
        {"double click while shown", false, MOUSE_LEFT_DOUBLE_CLICK, true, {"showWindow 6"}},
        {"double click while hidden", false, MOUSE_LEFT_DOUBLE_CLICK, false, show},
        {"right click", false, MOUSE_RIGHT_UP, true, {"showTrayMenu"}},
        {"mouse move", false, 0x0200, true, {}},
        {"left button down", false, 0x0201, true, {}},
        // An icon that announces: the announcements act, not the buttons.
        {"announced: left button", true, MOUSE_LEFT_UP, true, {}},
        {"announced: right button", true, MOUSE_RIGHT_UP, true, {}},
        {"selected while shown", true, TRAY_SELECT, true, {"bringToForeground", "focusNumberBox"}},
        {"selected while hidden", true, TRAY_SELECT, false, {}},
        {"Enter on the icon", true, TRAY_KEY_SELECT, false, show},
        {"menu asked for", true, TRAY_CONTEXT_MENU, false, {"showTrayMenu"}},
        {"double click, announced", true, MOUSE_LEFT_DOUBLE_CLICK, false, show},
    };
    start();
    for (const TrayCase& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.trayAnnounces = c.announces;
        shell.onTaskbarCreated();
        desktop.calls.clear();
        desktop.visible = c.visible;
        shell.onTrayMessage(c.mouseMessage);
        EXPECT_EQ(desktop.calls, c.expected);
    }
    desktop.calls.clear();
    shell.onCommand(CMD_SHOW);
    EXPECT_EQ(desktop.calls, show);
}

TEST_F(ShellTest, RecreatedTaskbarGetsIconAgain) {
    start();
    shell.onTaskbarCreated();
    EXPECT_EQ(desktop.calls, (Calls{"addTrayIcon"}));
}

// Commands.

struct CommandCase {
    const char* name;
    std::uint32_t command;
    bool handled;
    Calls expected;
};

TEST_F(ShellTest, Commands) {
    const CommandCase cases[] = {
        {"about", CMD_ABOUT, true, {"runAboutDialog"}},
        {"exit", CMD_EXIT, true, {"destroyWindow"}},
        {"number menu",
         CMD_NUMBER_MENU,
         true,
         {"createPopupMenu", "trackNumberMenu menu", "destroyMenu menu"}},
        {"dial", CMD_DIAL, true, {"readNumberBox"}},
        {"dialing rules", CMD_DIALING_RULES, true, {"runRulesDialog", "saveRules", "saveHistory"}},
        {"unknown", 4242, false, {}},
        {"pick without captured numbers", CMD_PICK_FIRST, false, {}},
    };
    start();
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.calls.clear();
        EXPECT_EQ(shell.onCommand(c.command), c.handled);
        EXPECT_EQ(desktop.calls, c.expected);
    }
}

// The switch is read at start-up (on when never saved), shown on the notification menu,
// passed to every clipboard read, and saved each time it is flipped.
TEST_F(ShellTest, FindNumbersSwitchIsRememberedShownAndPassedToEveryRead) {
    files.storedSettings = Settings{false, {}};
    start();
    shell.onTrayMessage(MOUSE_RIGHT_UP);
    shell.onClipboardChange(0, 0);
    EXPECT_TRUE(shell.onCommand(CMD_FIND_NUMBERS));
    shell.onTrayMessage(MOUSE_RIGHT_UP);
    shell.onClipboardChange(0, 0);
    EXPECT_EQ(desktop.calls,
              (Calls{"showTrayMenu, finding off", "readClipboardNumbers, finding off",
                     "saveSettings", "showTrayMenu", "readClipboardNumbers"}));
    ASSERT_TRUE(files.storedSettings.has_value());
    EXPECT_TRUE(files.storedSettings->findNumbersInText);
}

// "Dial with" shows where calls go now and names the tel: program; a choice there is kept.
TEST_F(ShellTest, DialWithShowsTheRouteAndKeepsTheChoice) {
    desktop.handlers = {false, "Teams", false};
    start();
    shell.onTrayMessage(MOUSE_RIGHT_UP);
    EXPECT_TRUE(shell.onCommand(CMD_DIAL_WITH_TELEPHONY));
    shell.onTrayMessage(MOUSE_RIGHT_UP);
    desktop.handlers = {false, "Vellix", true};
    EXPECT_TRUE(shell.onCommand(CMD_DIAL_WITH_LINK));
    shell.onTrayMessage(MOUSE_RIGHT_UP);
    EXPECT_EQ(desktop.calls,
              (Calls{"showTrayMenu, Teams, by link", "saveSettings", "showTrayMenu, Teams",
                     "saveSettings", "showTrayMenu, by link"}));
    ASSERT_TRUE(files.storedSettings.has_value());
    EXPECT_EQ(files.storedSettings->dialWith, DialRoute::TEL_LINK);
}

TEST_F(ShellTest, PickPresentsEntryWithinBoundsOnly) {
    start();
    desktop.clipboard = numbers({CapturedNumber("412-268-1234", KIND_GENERAL, "Work phone"),
                                 CapturedNumber("555-0100", KIND_CELL, "Cell phone"),
                                 CapturedNumber("555-0199", KIND_HOME, "Home phone")});
    shell.onClipboardChange(0, 0);

    desktop.calls.clear();
    EXPECT_FALSE(shell.onCommand(CMD_PICK_FIRST + 3));
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_STREQ(shell.state().proposedNumber.text(), "412-268-1234");

    EXPECT_FALSE(shell.onCommand(CMD_PICK_FIRST + 2));
    const Calls expected{"setNumberButtonImage 1", "clearNumberBox", "appendToNumberBox 555 0199",
                         "setNumberBoxText 555 0199", "selectNumberBoxItem 0"};
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_STREQ(shell.state().proposedNumber.text(), "555-0199");
}

} // namespace
} // namespace vellix
