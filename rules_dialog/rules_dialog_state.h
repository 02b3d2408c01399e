#pragma once

#include "rules_dialog/rule_row.h"
#include "rules_dialog/rules_dialog_layout.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vellix {

// The command ids that end the dialog.
constexpr std::int32_t RULES_DIALOG_OK = 1;
constexpr std::int32_t RULES_DIALOG_CANCEL = 2;

// Notification codes with the values of the Windows headers (EN_CHANGE, BN_CLICKED).
constexpr std::uint32_t NOTIFY_EDIT_CHANGE = 0x0300;
constexpr std::uint32_t NOTIFY_BUTTON_CLICK = 0;

// One open Dialing Rules dialog: the caller's rules, the rows that edit copies of them, and
// which of them are on the screen.
struct RulesDialogState {
    RuleSet* rules = nullptr;
    RuleRowList rows;
    // Offset of the next control id to hand out; ids are never reused while open.
    std::int32_t idCounter = 0;
    // The tallest the dialog may be: the height of the screen's work area.
    int maxDialogHeight = INT_MAX;
    // Where the row's controls go across, for the texts in the dialog's font.
    RowColumns columns = rowColumns();
    // Rows firstShown on, shownRows of them, have controls; the others scroll into view.
    std::size_t firstShown = 0;
    std::size_t shownRows = 0;
    // The number typed into the Try field.
    std::string typed;
    // Set while the dialog fills or walks its controls, whose notifications are its own.
    bool filling = false;
    bool navigating = false;
    // Mouse wheel turns not yet worth a notch.
    int wheel = 0;
};

// What a command from a row control asks for; named apart from the Windows headers' macros
// (DELETE is one).
enum class RowAction {
    NOTHING,
    TOGGLE_ROW,
    CONFIRM_ROW,
    DELETE_ROW,
    EDIT_REPLACEMENT,
    CHOOSE_PATTERN
};

struct RowCommand {
    RowAction action = RowAction::NOTHING;
    std::size_t row = 0;
};

// The row command for a control id and notification: the check box toggles, Confirm
// confirms, Delete deletes, a changed replacement edit is read, a click on the pattern box
// offers its patterns to choose from; any other control, an id of a deleted row or an id
// never handed out does nothing.
RowCommand rowCommandFor(const RulesDialogState& state, std::int32_t id,
                         std::uint32_t notification = 0);

// Fits the shown rows to the dialog's height and the rows there are, keeping `wanted` (when
// it is a row) in view.
void showRows(RulesDialogState& state, std::size_t first, std::size_t wanted = SIZE_MAX);

// Drops a row whose windows are gone; the other rows keep their order and ids.
void removeRuleRow(RulesDialogState& state, std::size_t index);

// OK: the caller's rules become the rows' rules, all at once. Cancel does nothing at all.
void acceptRules(RulesDialogState& state);

} // namespace vellix
