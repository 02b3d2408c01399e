#include "rules_dialog/rules_dialog_layout.h"

#include "win32/display_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vellix {
namespace {

TEST(RulesDialogLayout, GrowsByOneRowHeightPerRow) {
    const struct {
        std::size_t rows;
        int groupBoxHeight;
        int buttonsY;
        int dialogHeight;
    } cases[] = {
        {0, 46, 63, 125}, // an empty dialog is laid out as for one row
        {1, 46, 63, 125},
        {2, 68, 85, 147},
        {3, 90, 107, 169},
    };
    for (const auto& c : cases) {
        const RulesDialogLayout layout = rulesDialogLayout(c.rows);
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(layout.groupBox.x, 7);
        EXPECT_EQ(layout.groupBox.y, 7);
        EXPECT_EQ(layout.groupBox.width, 514);
        EXPECT_EQ(layout.groupBox.height, c.groupBoxHeight);
        EXPECT_EQ(layout.okButton.x, 386);
        EXPECT_EQ(layout.okButton.y, c.buttonsY);
        EXPECT_EQ(layout.cancelButton.x, 458);
        EXPECT_EQ(layout.cancelButton.y, c.buttonsY);
        for (const PixelRect& button : {layout.okButton, layout.cancelButton}) {
            EXPECT_EQ(button.width, 64);
            EXPECT_EQ(button.height, 22);
        }
        EXPECT_EQ(layout.dialog.width, 534);
        EXPECT_EQ(layout.dialog.height, c.dialogHeight);
    }
}

TEST(RulesDialogLayout, RowsStandOneUnderAnother) {
    const int tops[] = {24, 46, 68};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(ruleRowTop(i), tops[i]) << "row " << i;
}

TEST(RulesDialogLayout, RowsStayInsideTheGroupBoxAboveTheButtons) {
    for (std::size_t n = 1; n <= 40; ++n) {
        const RulesDialogLayout layout = rulesDialogLayout(n);
        const int groupBottom = layout.groupBox.y + layout.groupBox.height;
        const int lastRowBottom = ruleRowTop(n - 1) + 22;
        EXPECT_LE(lastRowBottom, groupBottom) << n;
        EXPECT_LT(groupBottom, layout.okButton.y) << n;
        EXPECT_LT(layout.okButton.x + layout.okButton.width, layout.cancelButton.x) << n;
        EXPECT_LE(layout.cancelButton.x + layout.cancelButton.width, layout.dialog.width) << n;
        // The outer height also holds the caption and frame below the buttons.
        EXPECT_LT(layout.okButton.y + layout.okButton.height, layout.dialog.height) << n;
    }
}

TEST(RowControls, ReadLeftToRightWithoutOverlapping) {
    for (std::size_t k = 1; k < ROW_CONTROLS.size(); ++k)
        EXPECT_LE(ROW_CONTROLS[k - 1].x + ROW_CONTROLS[k - 1].width, ROW_CONTROLS[k].x) << k;
    const RowControlTemplate& last = ROW_CONTROLS.back();
    const RulesDialogLayout layout = rulesDialogLayout(1);
    EXPECT_LE(last.x + last.width, layout.groupBox.x + layout.groupBox.width);
    EXPECT_GT(ROW_CONTROLS.front().x, layout.groupBox.x);
}

// Labels wider in the font in use push what follows them right, and the dialog grows by as
// much; without measured texts the template's places stand.
TEST(RowControls, LabelsWidenToTheirTexts) {
    const RowColumns plain = rowColumns();
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        EXPECT_EQ(plain.x[k], ROW_CONTROLS[k].x) << k;
        EXPECT_EQ(plain.width[k], ROW_CONTROLS[k].width) << k;
    }
    RowTextWidths texts;
    texts.numbersAs = 67;
    texts.enabledLabel = 57;
    const RowColumns wide = rowColumns(texts);
    EXPECT_EQ(wide.width[AS_LABEL], 69);
    EXPECT_EQ(wide.x[REPLACEMENT_EDIT], ROW_CONTROLS[REPLACEMENT_EDIT].x + 9);
    EXPECT_EQ(wide.width[ENABLED_LABEL], 59);
    EXPECT_EQ(wide.x[DELETE_BUTTON], ROW_CONTROLS[DELETE_BUTTON].x + 16);
    for (std::int32_t k = 1; k < CONTROLS_PER_ROW; ++k)
        EXPECT_GE(wide.x[k], wide.x[k - 1] + wide.width[k - 1]) << k;
    const RulesDialogLayout layout = rulesDialogLayout(3, INT_MAX, wide);
    EXPECT_EQ(layout.dialog.width, rulesDialogLayout(3).dialog.width + 16);
    EXPECT_GE(layout.groupBox.x + layout.groupBox.width,
              wide.x[DELETE_BUTTON] + wide.width[DELETE_BUTTON]);
}

TEST(RowControls, PlainTextsDropToLineUpWithTheBoxes) {
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        const bool plainText = std::strcmp(ROW_CONTROLS[control].className, "static") == 0;
        const PixelRect atTop = rowControlRect(control, 46);
        EXPECT_EQ(atTop.y, plainText ? 50 : 46) << k;
        EXPECT_EQ(atTop.x, ROW_CONTROLS[control].x) << k;
        EXPECT_EQ(atTop.width, ROW_CONTROLS[control].width) << k;
        EXPECT_EQ(atTop.height, ROW_CONTROLS[control].height) << k;
    }
}

TEST(RowControls, OnlyTheTextControlsUseTheDialogFont) {
    const RowControl systemFont[] = {ENABLE_BOX, CONFIRM_BUTTON, DELETE_BUTTON};
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        bool expected = true;
        for (const RowControl control : systemFont)
            expected = expected && control != k;
        EXPECT_EQ(ROW_CONTROLS[static_cast<std::size_t>(k)].dialogFont, expected) << k;
    }
}

TEST(RulesDialogLayout, ShowsWhatTheScreenHoldsAndScrollsTheRest) {
    const struct {
        std::size_t rows;
        int maxHeight;
        std::size_t shown;
        int dialogHeight;
        int dialogWidth;
    } cases[] = {
        {3, 169, 3, 169, 534},    // fits exactly: laid out as ever
        {3, 168, 2, 147, 554},    // one pixel short: two rows and a scroll bar
        {0, 50, 0, 125, 534},     // nothing to scroll
        {300, 738, 28, 719, 554}, // a 768-pixel screen with its taskbar
        {1000, 100, 1, 125, 554}, // at least one row
        {300, INT_MAX, 300, 6703, 534},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, at most " << c.maxHeight);
        const RulesDialogLayout layout = rulesDialogLayout(c.rows, c.maxHeight);
        EXPECT_EQ(layout.shownRows, c.shown);
        EXPECT_EQ(layout.dialog.height, c.dialogHeight);
        EXPECT_EQ(layout.dialog.width, c.dialogWidth);
        const bool scrolls = c.shown < c.rows;
        EXPECT_EQ(layout.scrollBar.width > 0, scrolls);
        if (scrolls) {
            // Beside the rows, inside the group box, with OK and Cancel below it.
            EXPECT_EQ(layout.scrollBar.y, ruleRowTop(0));
            EXPECT_EQ(layout.scrollBar.height, 22 * static_cast<int>(c.shown));
            EXPECT_GE(layout.scrollBar.x, ROW_CONTROLS.back().x + ROW_CONTROLS.back().width);
            EXPECT_LE(layout.scrollBar.x + layout.scrollBar.width,
                      layout.groupBox.x + layout.groupBox.width);
            EXPECT_LE(layout.cancelButton.x + layout.cancelButton.width, layout.dialog.width);
        }
        // The Try field stands on the buttons' row, to their left.
        EXPECT_EQ(layout.tryNumber.y, layout.okButton.y);
        EXPECT_EQ(layout.tryLabel.y, layout.okButton.y + 4);
        EXPECT_LE(layout.tryText.x + layout.tryText.width, layout.okButton.x);
    }
}

TEST(RulesDialogLayout, ScrollingKeepsTheWantedRowInViewAndTheViewInTheList) {
    const struct {
        std::size_t first;
        std::size_t wanted;
        std::size_t expected;
    } cases[] = {
        {0, SIZE_MAX, 0}, {5, SIZE_MAX, 5}, {95, SIZE_MAX, 90}, {1000, SIZE_MAX, 90},
        {10, 12, 10},     {10, 19, 10},     {10, 20, 11},       {10, 9, 9},
        {10, 0, 0},       {0, 99, 90},      {10, 100, 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(firstShownRow(c.first, 10, 100, c.wanted), c.expected)
            << "from " << c.first << " for row " << c.wanted;
    }
    EXPECT_EQ(firstShownRow(3, 10, 4), 0U);
}

// At any scale the controls of a row stay side by side and a measured text keeps its room.
TEST(DisplayScale, ScalesEdgesSoNeighboursStayNeighbours) {
    for (const int dpi : {96, 120, 144, 168, 192, 240}) {
        const PixelRect one = scaledRect(rowControlRect(DIAL_LABEL, ruleRowTop(1)), dpi);
        const PixelRect next = scaledRect(rowControlRect(PATTERN_BOX, ruleRowTop(1)), dpi);
        const PixelRect below = scaledRect(rowControlRect(PATTERN_BOX, ruleRowTop(2)), dpi);
        EXPECT_LE(one.x + one.width, next.x) << dpi;
        EXPECT_LE(next.y + next.height, below.y) << dpi;
        for (const int measured : {1, 17, 25, 59, 98})
            EXPECT_GE(scaledToDpi(unscaledFromDpi(measured, dpi), dpi), measured)
                << measured << " px at " << dpi;
    }
    EXPECT_EQ(scaledRect({15, 28, 25, 22}, 96).width, 25);
    EXPECT_EQ(scaledToDpi(-7, 144), -11);
}

TEST(DisplayScale, PicksTheNearestDrawnPictureNeverLarger) {
    const struct {
        int dpi;
        int size;
    } cases[] = {{72, 16},  {96, 16},  {120, 16}, {144, 24}, {168, 24},
                 {192, 32}, {240, 32}, {288, 48}, {384, 48}};
    for (const auto& c : cases)
        EXPECT_EQ(pictureSizeForDpi(c.dpi), c.size) << c.dpi << " dpi";
}

TEST(RulesDialogLayout, FitsTheDialogOntoTheWorkArea) {
    const PixelRect work{0, 0, 1024, 738};
    const struct {
        PixelRect window;
        int x;
        int y;
    } cases[] = {
        {{100, 100, 534, 169}, 100, 100},
        {{900, 700, 534, 169}, 490, 569}, // beside the tray: moved in whole
        {{-50, -20, 534, 169}, 0, 0},
        {{600, 300, 534, 719}, 490, 19},
        {{10, 10, 1200, 900}, 0, 0}, // larger than the screen: its corner stays on it
    };
    for (const auto& c : cases) {
        const PixelRect fitted = fitOnScreen(c.window, work);
        EXPECT_EQ(fitted.x, c.x) << c.window.x << "," << c.window.y;
        EXPECT_EQ(fitted.y, c.y) << c.window.x << "," << c.window.y;
        EXPECT_EQ(fitted.width, c.window.width);
        EXPECT_EQ(fitted.height, c.window.height);
    }
}

} // namespace
} // namespace vellix
