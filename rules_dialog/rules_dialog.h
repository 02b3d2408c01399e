#pragma once

#include "rules_dialog/rule_row.h"

#include <windows.h>

#include <cstdint>

namespace vellix {

// The Dialing Rules dialog, template 131. Open it with DialogBoxParamA and the address of
// the RuleSet to edit as the parameter: OK replaces the set's content with the edited rules,
// Cancel (Esc, the close box) leaves it untouched.
INT_PTR CALLBACK rulesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// One row per rule, in order, the first with its top at y.
RuleRowList buildRuleRows(HWND dialog, const RuleSet& rules, int y, std::int32_t& idCounter);
// The controls of one row, taking the next nine ids.
RuleRow createRuleRow(HWND dialog, const DialingRule& rule, int y, std::int32_t& idCounter);

// Places the rows, the group box, OK, Cancel and the dialog's size for the rows there are.
void layoutRulesDialog(HWND dialog, const RuleRowList& rows);
void moveRuleRow(const RuleRow& row, int y);

// The check box (after it ticked itself), Confirm and Delete.
void toggleRuleRow(RuleRow& row);
void confirmRuleRow(RuleRow& row);
void destroyRuleRow(const RuleRow& row);

// Shows an icon resource on a push button in every state, in place of its text.
void setButtonIcon(HWND button, int iconId);
// A tooltip over the whole control; null when it cannot be created.
HWND addTooltip(HWND control, const char* text);

} // namespace vellix
