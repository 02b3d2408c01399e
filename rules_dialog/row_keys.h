#pragma once

// The keyboard in the rows: Tab and the arrow keys walk through all rows, not only those in
// view, scrolling the next one into view.

#include <windows.h>

#include "rules_dialog/rules_dialog_state.h"

namespace vellix {

// Answers the dialog's WM_NEXTDLGCTL: TRUE when it moved the focus itself.
INT_PTR moveRowFocus(HWND dialog, WPARAM wParam, LPARAM lParam);

// Keeps the keyboard in the dialog when the focused control is about to go.
void moveFocusOutOfRow(HWND dialog, const RuleRow& row);

} // namespace vellix
