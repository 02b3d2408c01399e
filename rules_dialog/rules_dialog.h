#pragma once

#include "rules_dialog/rules_dialog_state.h"

#include <windows.h>

#include <commctrl.h>

namespace vellix {

// The Dialing Rules dialog, template 131. Open it with DialogBoxParamA and the address of
// the RuleSet to edit as the parameter: OK replaces the set's content with the edited rules,
// Cancel (Esc, the close box) leaves it untouched.
INT_PTR CALLBACK rulesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The controls of a row, with its top at y, showing what the row holds.
void createRuleRow(HWND dialog, RuleRow& row, int y, const RowColumns& columns);

// Places the rows on the screen, the group box, the Try field, OK, Cancel and the scroll bar,
// and sizes the dialog for them, all of it on the screen's work area.
void layoutRulesDialog(HWND dialog, RulesDialogState& state);
void moveRuleRow(RuleRow& row, int y, const RowColumns& columns);

// The check box (after it ticked itself), Confirm and Delete.
void toggleRuleRow(RuleRow& row);
void confirmRuleRow(RuleRow& row);
void destroyRuleRow(const RuleRow& row);

// One icon resource for every state of a push button; the caller destroys the list.
HIMAGELIST loadButtonImages(HINSTANCE instance, int iconId);
// Shows the pictures on a push button in place of its text; the button does not own them.
void setButtonImages(HWND button, HIMAGELIST images);
// A tooltip window for the controls of the owner; null when it cannot be created.
HWND createTooltip(HWND owner);
// Shows the text over the whole control; false when there is no tooltip or it refused.
bool addTool(HWND tooltip, HWND control, const char* text);

} // namespace vellix
