#include "rules_dialog/rules_dialog_state.h"

#include "rules_dialog/rules_dialog_layout.h"

namespace vellix {

RowCommand rowCommandFor(const RulesDialogState& state, std::int32_t id,
                         std::uint32_t notification) {
    RowCommand command;
    if (id < FIRST_ROW_CONTROL_ID || id - FIRST_ROW_CONTROL_ID >= state.idCounter)
        return command;
    const std::int32_t offset = id - FIRST_ROW_CONTROL_ID;
    const std::optional<std::size_t> row = findRuleRow(state.rows, offset);
    if (!row)
        return command;
    command.row = *row;
    switch (offset - state.rows[*row].firstId) {
    case ENABLE_BOX:
        command.action = RowAction::TOGGLE_ROW;
        break;
    case CONFIRM_BUTTON:
        command.action = RowAction::CONFIRM_ROW;
        break;
    case DELETE_BUTTON:
        command.action = RowAction::DELETE_ROW;
        break;
    case REPLACEMENT_EDIT:
        if (notification == NOTIFY_EDIT_CHANGE)
            command.action = RowAction::EDIT_REPLACEMENT;
        break;
    case PATTERN_BOX:
        if (notification == NOTIFY_BUTTON_CLICK)
            command.action = RowAction::CHOOSE_PATTERN;
        break;
    default:
        break;
    }
    return command;
}

void showRows(RulesDialogState& state, std::size_t first, std::size_t wanted) {
    state.shownRows = shownRowCount(state.rows.size(), state.maxDialogHeight);
    state.firstShown = firstShownRow(first, state.shownRows, state.rows.size(), wanted);
}

void removeRuleRow(RulesDialogState& state, std::size_t index) {
    if (index < state.rows.size())
        state.rows.erase(state.rows.begin() + static_cast<std::ptrdiff_t>(index));
}

void acceptRules(RulesDialogState& state) {
    if (state.rules != nullptr)
        *state.rules = collectRules(state.rows);
}

} // namespace vellix
