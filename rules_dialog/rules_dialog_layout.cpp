#include "rules_dialog/rules_dialog_layout.h"

#include <algorithm>

namespace vellix {

namespace {

constexpr int FIRST_ROW_TOP = 24;
constexpr int DIALOG_WIDTH = 534;

} // namespace

RulesDialogLayout rulesDialogLayout(std::size_t rowCount) {
    // Ten windows a row and a process's window quota keep the count far inside int.
    const int n = static_cast<int>(std::max<std::size_t>(rowCount, 1));
    const int rowsHeight = ROW_HEIGHT * n;
    RulesDialogLayout layout;
    layout.groupBox = {7, 7, 514, rowsHeight + 24};
    layout.okButton = {386, rowsHeight + 41, 64, 22};
    layout.cancelButton = {458, rowsHeight + 41, 64, 22};
    layout.dialog = {0, 0, DIALOG_WIDTH, rowsHeight + 103};
    return layout;
}

int ruleRowTop(std::size_t index) {
    return FIRST_ROW_TOP + ROW_HEIGHT * static_cast<int>(index);
}

PixelRect rowControlRect(RowControl control, int top) {
    const RowControlTemplate& entry = ROW_CONTROLS[control];
    return {entry.x, top + entry.yOffset, entry.width, entry.height};
}

} // namespace vellix
