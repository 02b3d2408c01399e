#pragma once

#include "rules_dialog/rules_dialog_state.h"

#include <windows.h>

#include <commctrl.h>

namespace vellix {

// The Dialing Rules dialog, template 131. Open it with DialogBoxParamA and the address of
// the RuleSet to edit as the parameter: OK replaces the set's content with the edited rules,
// Cancel (Esc, the close box) leaves it untouched.
INT_PTR CALLBACK rulesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Places the rows on the screen, the group box, the Try field, OK, Cancel and the scroll bar,
// and sizes the dialog for them, all of it on the screen's work area.
void layoutRulesDialog(HWND dialog, RulesDialogState& state);

} // namespace vellix
