#include "fake_desktop.h"
#include "res/resource.h"
#include "shell/number_menu.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellix {
namespace {

using testing::FakeDataFiles;
using testing::FakeDesktop;
using Calls = std::vector<std::string>;

struct FormatCase {
    const char* name;
    std::string label;
    std::string digitForm;
    std::string expected;
};

TEST(FormatNumberMenuItem, LabelThenDigitFormInParenthesesOrNothing) {
    const std::string label256(256, 'L');
    const std::string label257(257, 'L');
    const FormatCase cases[] = {
        {"label and digit form", "Cell phone", "412 555 0100", "Cell phone (412 555 0100)"},
        {"empty digit form", "Default", "", "Default ()"},
        {"no label", "", "412 555 0100", "412 555 0100"},
        {"longest label and digit form a capture holds", std::string(127, 'L'),
         std::string(23, '1'), std::string(127, 'L') + " (" + std::string(23, '1') + ")"},
        {"259 characters just fit", label256, "", label256 + " ()"},
        {"260 characters leave no room for the terminator", label257, "", ""},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        char text[NUMBER_MENU_TEXT_CAPACITY];
        std::fill(std::begin(text), std::end(text), 'z');
        formatNumberMenuItem(c.label.c_str(), c.digitForm.c_str(), text);
        EXPECT_EQ(std::string(text), c.expected);
    }
}

const CapturedNumberList threeNumbers{
    CapturedNumber("412-268-1234", KIND_GENERAL, "Work phone"),
    CapturedNumber("(412) 555-0100", KIND_CELL, "Cell phone"),
    CapturedNumber("555 0199 ext. 12", KIND_HOME, "Home phone"),
};

const Calls threeItems{"insertMenuItem menu 0 32784 Work phone (412 268 1234)",
                       "insertMenuItem menu 1 32785 Cell phone (412 555 0100)",
                       "insertMenuItem menu 2 32786 Home phone (555 0199 x12)"};

TEST(AddNumberMenuItems, OneItemPerEntryWithPickCommand) {
    FakeDesktop desktop;
    MenuHandle menu = desktop.createPopupMenu();
    desktop.calls.clear();
    EXPECT_EQ(addNumberMenuItems(desktop, menu, threeNumbers), 3U);
    EXPECT_EQ(desktop.calls, threeItems);
}

TEST(ShowNumberMenu, BuildsOpensAndDestroysTheMenu) {
    FakeDesktop desktop;
    EXPECT_EQ(showNumberMenu(desktop, threeNumbers), 0);
    Calls expected{"createPopupMenu"};
    expected.insert(expected.end(), threeItems.begin(), threeItems.end());
    expected.insert(expected.end(), {"trackNumberMenu menu", "destroyMenu menu"});
    EXPECT_EQ(desktop.calls, expected);
}

TEST(ShowNumberMenu, ButtonBodyAndDropDownArrowOpenTheSameMenu) {
    FakeDesktop desktop;
    FakeDataFiles files(desktop.calls);
    Shell shell(desktop, files);
    shell.onCreate();
    desktop.clipboard = threeNumbers;
    shell.onClipboardChange(0, 0);

    desktop.calls.clear();
    shell.onNumberButtonDropDown();
    const Calls fromArrow = desktop.calls;
    desktop.calls.clear();
    EXPECT_TRUE(shell.onCommand(CMD_NUMBER_MENU));
    EXPECT_EQ(desktop.calls, fromArrow);
    ASSERT_EQ(fromArrow.size(), 6U);
    EXPECT_EQ(fromArrow[3], threeItems[2]);
}

} // namespace
} // namespace vellix
