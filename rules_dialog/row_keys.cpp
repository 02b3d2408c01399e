#include "rules_dialog/row_keys.h"

#include "rules_dialog/dialog_window.h"
#include "rules_dialog/row_windows.h"
#include "rules_dialog/rules_dialog_layout.h"

#include <algorithm>
#include <vector>

namespace vellix {

namespace {

// Gives the keyboard to a row's control, scrolling the row into view first.
void focusRowControl(HWND dialog, RulesDialogState& state, std::size_t row, RowControl control) {
    scrollRows(dialog, state, state.firstShown, row);
    state.navigating = true;
    SendMessageA(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(windowOf(controlWindow(state.rows[row], control))), TRUE);
    state.navigating = false;
}

} // namespace

// The dialog asks here before it moves the focus.
INT_PTR moveRowFocus(HWND dialog, WPARAM wParam, LPARAM lParam) {
    RulesDialogState* state = stateOf(dialog);
    if (state == nullptr || state->navigating || state->rows.empty())
        return FALSE;
    const HWND focus = GetFocus();
    const std::optional<RowPlace> at = rowPlaceOf(*state, focus);
    bool forward = wParam == 0;
    if (LOWORD(lParam) != 0) {
        // A given window: the arrow keys chose the next control of the group.
        if (!at)
            return FALSE;
        forward = GetNextDlgGroupItem(dialog, focus, FALSE) == reinterpret_cast<HWND>(wParam);
    } else if (!at) {
        // Tab into the rows starts at the first row, Shift+Tab at the last.
        if (!rowPlaceOf(*state, GetNextDlgTabItem(dialog, focus, !forward)))
            return FALSE;
        const std::size_t row = forward ? 0 : state->rows.size() - 1;
        const std::vector<RowControl> controls = tabControls(state->rows[row]);
        focusRowControl(dialog, *state, row, forward ? controls.front() : controls.back());
        return TRUE;
    }
    std::size_t row = at->row;
    std::vector<RowControl> controls = tabControls(state->rows[row]);
    auto position = std::find(controls.begin(), controls.end(), at->control);
    if (position == controls.end())
        return FALSE;
    if (forward && position + 1 != controls.end()) {
        focusRowControl(dialog, *state, row, *(position + 1));
    } else if (!forward && position != controls.begin()) {
        focusRowControl(dialog, *state, row, *(position - 1));
    } else if (forward ? row + 1 < state->rows.size() : row > 0) {
        row = forward ? row + 1 : row - 1;
        controls = tabControls(state->rows[row]);
        focusRowControl(dialog, *state, row, forward ? controls.front() : controls.back());
    } else {
        // Past the last row comes OK, before the first the Try field.
        state->navigating = true;
        SendMessageA(dialog, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(dialog, forward ? IDOK : TRY_NUMBER_ID)),
                     TRUE);
        state->navigating = false;
    }
    return TRUE;
}

void moveFocusOutOfRow(HWND dialog, const RuleRow& row) {
    const HWND focus = GetFocus();
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const HWND control = windowOf(controlWindow(row, static_cast<RowControl>(k)));
        if (focus != nullptr && control != nullptr &&
            (focus == control || GetParent(focus) == control)) {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)),
                         TRUE);
            return;
        }
    }
}

} // namespace vellix
