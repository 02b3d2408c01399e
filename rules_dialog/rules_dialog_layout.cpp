#include "rules_dialog/rules_dialog_layout.h"

#include "win32/display_scale.h"

#include <algorithm>

namespace vellix {

namespace {

constexpr int FIRST_ROW_TOP = 24;
constexpr int DIALOG_WIDTH = 534;
// The dialog's height beyond its rows: group box frame, buttons, caption and border.
constexpr int DIALOG_EXTRA_HEIGHT = 103;

} // namespace

std::size_t shownRowCount(std::size_t rowCount, int maxDialogHeight) {
    if (rulesDialogLayout(rowCount).dialog.height <= maxDialogHeight)
        return rowCount;
    const int room = (maxDialogHeight - DIALOG_EXTRA_HEIGHT) / ROW_HEIGHT;
    return std::min(static_cast<std::size_t>(std::max(room, 1)), rowCount);
}

RowColumns rowColumns(const RowTextWidths& texts) {
    // Static controls draw their text flush, and wrap it when it does not fit.
    constexpr int TEXT_MARGIN = 2;
    const auto measured = [&texts](RowControl control) {
        switch (control) {
        case DIAL_LABEL:
            return texts.dial;
        case AS_LABEL:
            return texts.numbersAs;
        case ENABLED_LABEL:
            return texts.enabledLabel;
        case VERIFIED_LABEL:
            return texts.verifiedLabel;
        default:
            return 0;
        }
    };
    RowColumns columns;
    int shift = 0;
    for (std::size_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const RowControlTemplate& entry = ROW_CONTROLS[k];
        const int text = measured(static_cast<RowControl>(k));
        columns.x[k] = entry.x + shift;
        columns.width[k] = std::max(entry.width, text > 0 ? text + TEXT_MARGIN : 0);
        shift += columns.width[k] - entry.width;
    }
    columns.extraWidth = shift;
    return columns;
}

RulesDialogLayout rulesDialogLayout(std::size_t rowCount, int maxDialogHeight,
                                    const RowColumns& columns) {
    RulesDialogLayout layout;
    layout.shownRows =
        maxDialogHeight == INT_MAX ? rowCount : shownRowCount(rowCount, maxDialogHeight);
    const bool scrolls = layout.shownRows < rowCount;
    const int extraWidth = (scrolls ? SCROLL_BAR_ROOM : 0) + columns.extraWidth;
    // Ten windows a row and a process's window quota keep the count far inside int.
    const int n = static_cast<int>(std::max<std::size_t>(layout.shownRows, 1));
    const int rowsHeight = ROW_HEIGHT * n;
    const int buttonsY = rowsHeight + 41;
    layout.groupBox = {7, 7, 514 + extraWidth, rowsHeight + 24};
    layout.okButton = {386 + extraWidth, buttonsY, 64, 22};
    layout.cancelButton = {458 + extraWidth, buttonsY, 64, 22};
    layout.dialog = {0, 0, DIALOG_WIDTH + extraWidth, rowsHeight + DIALOG_EXTRA_HEIGHT};
    // Under the Dial label, the pattern box and the rest of the row.
    layout.tryLabel = {15, buttonsY + 4, 25, 22};
    layout.tryNumber = {42, buttonsY, 110, 21};
    layout.tryText = {154, buttonsY + 4, 226 + extraWidth, 22};
    if (scrolls)
        layout.scrollBar = {514 + columns.extraWidth, FIRST_ROW_TOP, SCROLL_BAR_WIDTH, rowsHeight};
    return layout;
}

std::size_t firstShownRow(std::size_t first, std::size_t shown, std::size_t rowCount) {
    return std::min(first, rowCount > shown ? rowCount - shown : 0);
}

std::size_t firstShownRow(std::size_t first, std::size_t shown, std::size_t rowCount,
                          std::size_t wanted) {
    if (wanted < rowCount && shown > 0) {
        if (wanted < first)
            first = wanted;
        else if (wanted >= first + shown)
            first = wanted - shown + 1;
    }
    return firstShownRow(first, shown, rowCount);
}

int ruleRowTop(std::size_t index) {
    return FIRST_ROW_TOP + ROW_HEIGHT * static_cast<int>(index);
}

PixelRect rowControlRect(RowControl control, int top, const RowColumns& columns) {
    const RowControlTemplate& entry = ROW_CONTROLS[control];
    return {columns.x[control], top + entry.yOffset, columns.width[control], entry.height};
}

PixelRect scaledRect(const PixelRect& place, int dpi) {
    const int left = scaledToDpi(place.x, dpi);
    const int top = scaledToDpi(place.y, dpi);
    return {left, top, scaledToDpi(place.x + place.width, dpi) - left,
            scaledToDpi(place.y + place.height, dpi) - top};
}

PixelRect fitOnScreen(const PixelRect& window, const PixelRect& workArea) {
    PixelRect fitted = window;
    fitted.x = std::max(std::min(window.x, workArea.x + workArea.width - window.width), workArea.x);
    fitted.y =
        std::max(std::min(window.y, workArea.y + workArea.height - window.height), workArea.y);
    return fitted;
}

} // namespace vellix
