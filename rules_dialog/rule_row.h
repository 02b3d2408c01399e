#pragma once

#include "rules/dialing_rule.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vellix {

// A native window handle. The row model itself never looks at one; the dialog keeps its
// controls here so that one record carries a row's windows and its rule.
using WindowHandle = void*;

// Row controls take consecutive ids from here, nine per row in creation order.
constexpr std::int32_t FIRST_ROW_CONTROL_ID = 1024;
constexpr std::int32_t CONTROLS_PER_ROW = 9;

// A control's offset from its row's first id, which is also its place in ROW_CONTROLS.
enum RowControl : std::int32_t {
    DIAL_LABEL = 0,
    PATTERN_BOX = 1,
    AS_LABEL = 2,
    REPLACEMENT_EDIT = 3,
    ENABLED_LABEL = 4,
    ENABLE_BOX = 5,
    VERIFIED_LABEL = 6,
    CONFIRM_BUTTON = 7,
    DELETE_BUTTON = 8,
};

// Window style bits with the values of the Windows headers; the dialog checks they agree.
constexpr std::uint32_t STYLE_CHILD = 0x40000000;
constexpr std::uint32_t STYLE_VISIBLE = 0x10000000;
constexpr std::uint32_t STYLE_TABSTOP = 0x00010000;
constexpr std::uint32_t STYLE_EDIT_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t STYLE_BUTTON_AUTOCHECKBOX = 0x0003;
constexpr std::uint32_t STYLE_BUTTON_BITMAP = 0x0080;
constexpr std::uint32_t STYLE_BUTTON_OWNERDRAW = 0x000B;
constexpr std::uint32_t EX_STYLE_CLIENT_EDGE = 0x0200;

// Resource ids of the pictures on the Confirm and Delete buttons.
constexpr int CONFIRM_ICON = 134;
constexpr int DELETE_ICON = 132;

// How to create one control of a row. x is from the dialog's client origin; the control's
// top is the row's top plus yOffset, which drops the plain texts in line with the boxes.
struct RowControlTemplate {
    const char* className;
    // The text at creation; null when it depends on the rule or is filled in afterwards.
    const char* text;
    std::uint32_t style;
    std::uint32_t exStyle;
    int x;
    int yOffset;
    int width;
    int height;
    // Shows the dialog's font; the others show no text.
    bool dialogFont;
};

constexpr std::uint32_t STYLE_SHOWN_CHILD = STYLE_CHILD | STYLE_VISIBLE;

// In creation order. The boxes and buttons are tab stops, so the keyboard reaches every row.
constexpr std::array<RowControlTemplate, CONTROLS_PER_ROW> ROW_CONTROLS{{
    {"static", "Dial", STYLE_SHOWN_CHILD, 0, 15, 4, 25, 22, true},
    // The pattern box: drawn as a drop-down list, its list a menu (rules_dialog/pattern_box.h).
    {"button", nullptr, STYLE_SHOWN_CHILD | STYLE_TABSTOP | STYLE_BUTTON_OWNERDRAW, 0, 42, 0, 110,
     21, true},
    {"static", "numbers as", STYLE_SHOWN_CHILD, 0, 154, 4, 60, 22, true},
    {"edit", nullptr, STYLE_SHOWN_CHILD | STYLE_TABSTOP | STYLE_EDIT_AUTOHSCROLL,
     EX_STYLE_CLIENT_EDGE, 216, 0, 110, 21, true},
    {"static", nullptr, STYLE_SHOWN_CHILD, 0, 328, 4, 52, 22, true},
    {"button", nullptr, STYLE_SHOWN_CHILD | STYLE_TABSTOP | STYLE_BUTTON_AUTOCHECKBOX, 0, 382, 0,
     14, 22, false},
    {"static", nullptr, STYLE_SHOWN_CHILD, 0, 398, 4, 64, 22, true},
    {"button", "Confirm", STYLE_SHOWN_CHILD | STYLE_TABSTOP | STYLE_BUTTON_BITMAP, 0, 464, 0, 22,
     22, false},
    {"button", "Delete", STYLE_SHOWN_CHILD | STYLE_TABSTOP | STYLE_BUTTON_BITMAP, 0, 488, 0, 22, 22,
     false},
}};

// The texts beside the check box.
const char* enabledLabelText(bool enabled);
const char* verifiedLabelText(bool verified);
// Beside a replacement that cannot form a rule, in place of the enabled label.
constexpr const char* UNREADABLE_REPLACEMENT_TEXT = "(invalid)";

// One row of the Dialing Rules dialog: its own copy of a rule, which the check box and
// Confirm change instead of the caller's rule, what its boxes hold, and its controls while
// it is on the screen (null otherwise).
struct RuleRow {
    WindowHandle enableBox = nullptr;
    WindowHandle dialLabel = nullptr;
    WindowHandle patternBox = nullptr;
    WindowHandle asLabel = nullptr;
    WindowHandle replacementEdit = nullptr;
    WindowHandle confirmButton = nullptr;
    WindowHandle enabledLabel = nullptr;
    WindowHandle verifiedLabel = nullptr;
    WindowHandle deleteButton = nullptr;
    WindowHandle deleteTip = nullptr;
    DialingRule rule;
    // Whether the rule was enabled when its row was made, and whether it stays verified
    // whatever the check box says (it was verified then, or confirmed since).
    bool enabledAtStart = true;
    bool keepsVerified = false;
    // Offsets of the row's first and last control ids from FIRST_ROW_CONTROL_ID.
    std::int32_t firstId = 0;
    std::int32_t lastId = 0;
    // The patterns the pattern box offers, the rule's own first, and the chosen one.
    std::vector<std::string> patterns;
    std::size_t patternChoice = 0;
    // The replacement edit's text.
    std::string replacement;
    // Where the row's controls stand, so that they are moved only when that changes.
    int shownTop = -1;
};

using RuleRowList = std::vector<RuleRow>;

// A row for the rule that takes the next nine ids; advances the counter past them.
RuleRow makeRuleRow(const DialingRule& rule, std::int32_t& idCounter);

// The window id of one of the row's controls.
std::int32_t controlId(const RuleRow& row, RowControl control);
// The field that keeps the window of one of the row's controls.
WindowHandle& controlWindow(RuleRow& row, RowControl control);
WindowHandle controlWindow(const RuleRow& row, RowControl control);

// The text a control shows for the row's rule at creation; null for none.
const char* initialControlText(const RuleRow& row, RowControl control);
// The replacement as the edit box shows it.
std::string replacementTextOf(const DialingRule& rule);

// What the check box and Confirm do to the row's rule; they return the label's new text.
// Switching a rule on or off is a decision the user keeps: the rule is then verified, so
// that it is stored and neither learned afresh nor switched back by the next derivation.
// Switching it back undoes only that.
const char* setRowRuleEnabled(RuleRow& row, bool enabled);
const char* confirmRowRule(RuleRow& row);

// The row's controls that take the keyboard, in tab order: Confirm only while it is shown.
std::vector<RowControl> tabControls(const RuleRow& row);

// The first row whose ids hold the offset, or none (its row was deleted).
std::optional<std::size_t> findRuleRow(const RuleRowList& rows, std::int32_t idOffset);

// The patterns a rule can take, narrowest first: from the groups all its own numbers share
// (the whole number for one) through its own pattern to the most general one of its shape.
std::vector<std::string> patternChoices(const DialingRule& rule);

// The row's patterns that its box offers, as indexes: those no other row has as it stands,
// since two rules of one pattern would offer the same number twice.
std::vector<std::size_t> offeredPatterns(const RuleRowList& rows, std::size_t row);

// Picks a pattern from the box; returns whether the choice changed. The replacement reads
// the same under every pattern of the shape.
bool choosePattern(RuleRow& row, std::size_t choice);
const char* chosenPattern(const RuleRow& row);

// A pattern and a replacement read as the rules file reads its lines, blanks around the
// replacement dropped; none when they form no rule.
std::optional<DialingRule> readRuleTexts(const char* pattern, const std::string& replacement,
                                         bool enabled);

// Whether the row's boxes differ from its rule, and whether they then form a rule.
bool rowIsEdited(const RuleRow& row);
bool rowIsReadable(const RuleRow& row);
// What the enabled label shows: the rule's state, or that the replacement is no rule.
const char* enabledLabelOf(const RuleRow& row);

// The rule as the row stands: an edited row that forms a rule gives that rule, confirmed,
// with those of the old rule's supporting pairs it explains; otherwise the row's copy of its
// rule.
DialingRule rowRule(const RuleRow& row);

// The rows' rules as they stand, in row order.
RuleSet collectRules(const RuleRowList& rows);

} // namespace vellix
