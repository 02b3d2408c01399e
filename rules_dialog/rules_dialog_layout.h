#pragma once

#include "rules_dialog/rule_row.h"

#include <array>
#include <climits>
#include <cstddef>

namespace vellix {

// The group box of dialog template 131, around the rows.
constexpr int RULES_GROUP_BOX_ID = 135;
// The number to try and what the rows make of it, on the row of OK and Cancel.
constexpr int TRY_NUMBER_ID = 140;
constexpr int TRY_TEXT_ID = 141;

// Rows stand this many pixels apart.
constexpr int ROW_HEIGHT = 22;
// Room the scroll bar beside the rows takes when they do not all fit.
constexpr int SCROLL_BAR_WIDTH = 17;
constexpr int SCROLL_BAR_ROOM = SCROLL_BAR_WIDTH + 3;

// A window's place in pixels at the standard 96 dots per inch: from the dialog's client
// origin for a control, and only the outer size for the dialog itself.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// How wide the row's texts are in the dialog's font, in pixels, as the caller measured them;
// zero leaves a text the template's width.
struct RowTextWidths {
    int dial = 0;
    int numbersAs = 0;
    // The widest of the texts each label shows.
    int enabledLabel = 0;
    int verifiedLabel = 0;
};

// Where a row's controls go across: the template's places, each label widened to its text
// and the controls after it moved right by as much.
struct RowColumns {
    std::array<int, CONTROLS_PER_ROW> x{};
    std::array<int, CONTROLS_PER_ROW> width{};
    // How much wider than the template's the row is.
    int extraWidth = 0;
};

RowColumns rowColumns(const RowTextWidths& texts = {});

// Where everything goes for a number of rows. An empty dialog is laid out as for one row.
// When the dialog may not be as tall as its rows need, only some rows are shown and a
// scroll bar beside them moves through the others.
struct RulesDialogLayout {
    PixelRect groupBox;
    PixelRect okButton;
    PixelRect cancelButton;
    PixelRect dialog;
    PixelRect tryLabel;
    PixelRect tryNumber;
    PixelRect tryText;
    // Zero-sized when every row is shown.
    PixelRect scrollBar;
    std::size_t shownRows = 0;
};

RulesDialogLayout rulesDialogLayout(std::size_t rowCount, int maxDialogHeight = INT_MAX,
                                    const RowColumns& columns = rowColumns());

// How many rows fit a dialog no taller than maxDialogHeight: all when they do, else as many
// as the height leaves room for, and at least one.
std::size_t shownRowCount(std::size_t rowCount, int maxDialogHeight);

// The first row to show so that `shown` rows from it stay inside the list and, when `wanted`
// is a row, it is among them; scrolls as little as it can.
std::size_t firstShownRow(std::size_t first, std::size_t shown, std::size_t rowCount);
std::size_t firstShownRow(std::size_t first, std::size_t shown, std::size_t rowCount,
                          std::size_t wanted);

// The top of row i.
int ruleRowTop(std::size_t index);

// Where a row's control goes when the row's top is at y.
PixelRect rowControlRect(RowControl control, int top, const RowColumns& columns = rowColumns());

// The place at a display's scale. Edges are scaled, not sizes, so that controls side by side
// stay side by side.
PixelRect scaledRect(const PixelRect& place, int dpi);

// Where a window goes so that it lies on the screen's work area: moved as little as it can,
// its top-left corner kept inside when it is larger.
PixelRect fitOnScreen(const PixelRect& window, const PixelRect& workArea);

} // namespace vellix
