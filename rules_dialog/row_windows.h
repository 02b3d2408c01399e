#pragma once

// The rows' windows. Only the rows in view have controls: a row scrolled out of view hands
// them to one scrolled into it, so a dialog of any number of rules holds no more windows than
// its screen shows.

#include "rules_dialog/dialog_window.h"
#include "rules_dialog/rules_dialog_layout.h"
#include "rules_dialog/rules_dialog_state.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vellix {

// The shown row and control a window belongs to, or holds it.
struct RowPlace {
    std::size_t row = 0;
    RowControl control = DIAL_LABEL;
};

std::optional<RowPlace> rowPlaceOf(const RulesDialogState& state, HWND window);

// Sets what the row's controls show for what the row holds. Their notifications are not
// edits of the user's, so the caller ignores them meanwhile.
void fillRowControls(const RuleRow& row);

// Gives controls to the rows in view and to no other, and places them.
void showRowWindows(HWND dialog, RulesDialogState& state);
void updateScrollBar(HWND dialog, const RulesDialogState& state);
// Shows the rows from first on, or those around wanted, and paints them.
void scrollRows(HWND dialog, RulesDialogState& state, std::size_t first,
                std::size_t wanted = SIZE_MAX);

// The controls of a row, with its top at y, showing what the row holds.
void createRuleRow(HWND dialog, RuleRow& row, int y, const RowColumns& columns);
void moveRuleRow(RuleRow& row, int y, const RowColumns& columns);
void destroyRuleRow(const RuleRow& row);
// Clears the names given to a row's controls for screen readers, before they go.
void forgetRowNames(const RulesDialogWindow& bound, const RuleRow& row);

// The check box (after it ticked itself) and Confirm.
void toggleRuleRow(RuleRow& row);
void confirmRuleRow(RuleRow& row);

} // namespace vellix
