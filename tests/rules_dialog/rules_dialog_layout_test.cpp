#include "rules_dialog/rules_dialog_layout.h"

#include <gtest/gtest.h>

#include <cstddef>
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

TEST(RowControls, OnlyTheTextControlsUseTheGuiFont) {
    const RowControl systemFont[] = {ENABLE_BOX, CONFIRM_BUTTON, DELETE_BUTTON};
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        bool expected = true;
        for (const RowControl control : systemFont)
            expected = expected && control != k;
        EXPECT_EQ(ROW_CONTROLS[static_cast<std::size_t>(k)].guiFont, expected) << k;
    }
}

} // namespace
} // namespace vellix
