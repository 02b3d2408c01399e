#pragma once

#include "rules_dialog/rule_row.h"

#include <cstddef>

namespace vellix {

// The group box of dialog template 131, around the rows.
constexpr int RULES_GROUP_BOX_ID = 135;

// Rows stand this many pixels apart.
constexpr int ROW_HEIGHT = 22;

// A window's place in pixels: from the dialog's client origin for a control, and only the
// outer size for the dialog itself.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where everything goes for a number of rows. An empty dialog is laid out as for one row.
struct RulesDialogLayout {
    PixelRect groupBox;
    PixelRect okButton;
    PixelRect cancelButton;
    PixelRect dialog;
};

RulesDialogLayout rulesDialogLayout(std::size_t rowCount);

// The top of row i.
int ruleRowTop(std::size_t index);

// Where a row's control goes when the row's top is at y.
PixelRect rowControlRect(RowControl control, int top);

} // namespace vellix
