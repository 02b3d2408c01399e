#pragma once

#include "rules_dialog/rule_row.h"

#include <cstddef>
#include <cstdint>

namespace vellix {

// The command ids that end the dialog.
constexpr std::int32_t RULES_DIALOG_OK = 1;
constexpr std::int32_t RULES_DIALOG_CANCEL = 2;

// One open Dialing Rules dialog: the caller's rules and the rows that edit copies of them.
struct RulesDialogState {
    RuleSet* rules = nullptr;
    RuleRowList rows;
    // Offset of the next control id to hand out; ids are never reused while open.
    std::int32_t idCounter = 0;
};

// What a command from a row control asks for; named apart from the Windows headers' macros
// (DELETE is one).
enum class RowAction { NOTHING, TOGGLE_ROW, CONFIRM_ROW, DELETE_ROW };

struct RowCommand {
    RowAction action = RowAction::NOTHING;
    std::size_t row = 0;
};

// The row command for a control id: the check box toggles, Confirm confirms, Delete
// deletes; any other control, an id of a deleted row or an id never handed out does nothing.
RowCommand rowCommandFor(const RulesDialogState& state, std::int32_t id);

// Drops a row whose windows are gone; the other rows keep their order and ids.
void removeRuleRow(RulesDialogState& state, std::size_t index);

// OK: the caller's rules become the rows' rules, all at once. Cancel does nothing at all.
void acceptRules(RulesDialogState& state);

} // namespace vellix
