#include "rules_dialog/row_windows.h"

#include "rules_dialog/dialog_window.h"
#include "rules_dialog/pattern_box.h"
#include "rules_dialog/row_pictures.h"
#include "win32/wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace vellix {

namespace {

// Hands a row's windows to another row, which takes its ids.
void moveRowWindows(RuleRow& from, RuleRow& to) {
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        controlWindow(to, control) = controlWindow(from, control);
        controlWindow(from, control) = nullptr;
        SetWindowLongPtrW(windowOf(controlWindow(to, control)), GWLP_ID, controlId(to, control));
    }
    to.deleteTip = from.deleteTip;
    from.deleteTip = nullptr;
    to.shownTop = from.shownTop;
    from.shownTop = -1;
}

} // namespace

std::optional<RowPlace> rowPlaceOf(const RulesDialogState& state, HWND window) {
    if (window == nullptr)
        return std::nullopt;
    const HWND parent = GetParent(window);
    const std::size_t end = std::min(state.firstShown + state.shownRows, state.rows.size());
    for (std::size_t i = state.firstShown; i < end; ++i) {
        for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
            const HWND control = windowOf(controlWindow(state.rows[i], static_cast<RowControl>(k)));
            if (control != nullptr && (control == window || control == parent))
                return RowPlace{i, static_cast<RowControl>(k)};
        }
    }
    return std::nullopt;
}

void fillRowControls(const RuleRow& row) {
    SetWindowTextA(windowOf(row.patternBox), chosenPattern(row));
    SetWindowTextA(windowOf(row.replacementEdit), row.replacement.c_str());
    SetWindowTextA(windowOf(row.enabledLabel), enabledLabelOf(row));
    SendMessageA(windowOf(row.enableBox), BM_SETCHECK,
                 row.rule.isEnabled() ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowTextA(windowOf(row.verifiedLabel), verifiedLabelText(row.rule.isVerified()));
    ShowWindow(windowOf(row.confirmButton), row.rule.isVerified() ? SW_HIDE : SW_SHOW);
}

// Those of rows that left the view go to rows that came into it, and only what is missing
// is created.
void showRowWindows(HWND dialog, RulesDialogState& state) {
    const std::size_t end = std::min(state.firstShown + state.shownRows, state.rows.size());
    const std::optional<RowPlace> focus = rowPlaceOf(state, GetFocus());
    std::vector<RuleRow> spare;
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        if (state.rows[i].enableBox != nullptr && (i < state.firstShown || i >= end)) {
            spare.emplace_back();
            moveRowWindows(state.rows[i], spare.back());
        }
    }
    state.filling = true;
    for (std::size_t i = state.firstShown; i < end; ++i) {
        RuleRow& row = state.rows[i];
        const int top = ruleRowTop(i - state.firstShown);
        if (row.enableBox != nullptr)
            continue;
        if (spare.empty()) {
            createRuleRow(dialog, row, top, state.columns);
        } else {
            moveRowWindows(spare.back(), row);
            spare.pop_back();
            fillRowControls(row);
        }
    }
    state.filling = false;
    for (const RuleRow& row : spare)
        destroyRuleRow(row);
    for (std::size_t i = state.firstShown; i < end; ++i)
        moveRuleRow(state.rows[i], ruleRowTop(i - state.firstShown), state.columns);
    // A focused row that scrolled away leaves the keyboard on the nearest row in view.
    if (focus && (focus->row < state.firstShown || focus->row >= end) && end > state.firstShown) {
        const std::size_t nearest = focus->row < state.firstShown ? state.firstShown : end - 1;
        SetFocus(windowOf(controlWindow(state.rows[nearest], focus->control)));
    }
}

void updateScrollBar(HWND dialog, const RulesDialogState& state) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = static_cast<int>(state.rows.empty() ? 0 : state.rows.size() - 1);
    info.nPage = static_cast<UINT>(state.shownRows);
    info.nPos = static_cast<int>(state.firstShown);
    SetScrollInfo(GetDlgItem(dialog, SCROLL_BAR_ID), SB_CTL, &info, TRUE);
}

void scrollRows(HWND dialog, RulesDialogState& state, std::size_t first, std::size_t wanted) {
    const std::size_t before = state.firstShown;
    showRows(state, first, wanted);
    if (state.firstShown == before)
        return;
    showRowWindows(dialog, state);
    updateScrollBar(dialog, state);
    // Moving the rows makes the dialog paint its background where they were, over rows that
    // had already painted there: all is painted again, the dialog first.
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void createRuleRow(HWND dialog, RuleRow& row, int y, const RowColumns& columns) {
    const HINSTANCE instance = instanceOf(dialog);
    const WPARAM font = fontOf(dialog);
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        const RowControlTemplate& entry = ROW_CONTROLS[k];
        const PixelRect place = scaledRect(rowControlRect(control, y, columns), dpiOf(dialog));
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row, control)));
        const HWND window = CreateWindowExW(entry.exStyle, WideArgument(entry.className).get(),
                                            WideArgument(initialControlText(row, control)).get(),
                                            entry.style, place.x, place.y, place.width,
                                            place.height, dialog, id, instance, nullptr);
        controlWindow(row, control) = window;
        if (entry.dialogFont)
            SendMessageA(window, WM_SETFONT, font, FALSE);
    }
    row.shownTop = y;
    addPatternBoxKeys(windowOf(row.patternBox));
    if (const RulesDialogWindow* bound = boundTo(dialog)) {
        // The check box shows no text; screen readers say this for it.
        if (IAccPropServices* names = bound->accessibility.get())
            names->SetHwndPropStr(windowOf(row.enableBox), static_cast<DWORD>(OBJID_CLIENT),
                                  CHILDID_SELF, PROPID_ACC_NAME, L"Use this rule");
        setButtonImages(windowOf(row.confirmButton), bound->confirmImages.get());
        setButtonImages(windowOf(row.deleteButton), bound->deleteImages.get());
        if (addTool(bound->tooltip, windowOf(row.deleteButton), "Delete"))
            row.deleteTip = bound->tooltip;
    }
    fillRowControls(row);
}

void moveRuleRow(RuleRow& row, int y, const RowColumns& columns) {
    if (row.shownTop == y)
        return;
    row.shownTop = y;
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        moveControl(windowOf(controlWindow(row, control)), rowControlRect(control, y, columns));
    }
}

void forgetRowNames(const RulesDialogWindow& bound, const RuleRow& row) {
    if (IAccPropServices* names = bound.accessibility.get())
        names->ClearHwndProps(windowOf(row.enableBox), static_cast<DWORD>(OBJID_CLIENT),
                              CHILDID_SELF, &PROPID_ACC_NAME, 1);
}

void destroyRuleRow(const RuleRow& row) {
    // The name given to the check box is kept by the system until it is cleared.
    const HWND box = windowOf(row.enableBox);
    if (const RulesDialogWindow* bound = box != nullptr ? boundTo(GetParent(box)) : nullptr)
        forgetRowNames(*bound, row);
    // The tooltip is the dialog's: only the button's tool leaves it.
    if (row.deleteTip != nullptr) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = windowOf(row.deleteButton);
        tool.uId = 0;
        SendMessageA(windowOf(row.deleteTip), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        if (const WindowHandle window = controlWindow(row, static_cast<RowControl>(k)))
            DestroyWindow(windowOf(window));
    }
}

void toggleRuleRow(RuleRow& row) {
    const bool ticked = SendMessageA(windowOf(row.enableBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
    SetWindowTextA(windowOf(row.enabledLabel), setRowRuleEnabled(row, ticked));
    // The switch may have verified the rule, or taken back a verification only it made.
    const bool verified = row.rule.isVerified();
    SetWindowTextA(windowOf(row.verifiedLabel), verifiedLabelText(verified));
    ShowWindow(windowOf(row.confirmButton), verified ? SW_HIDE : SW_SHOW);
}

void confirmRuleRow(RuleRow& row) {
    SetWindowTextA(windowOf(row.verifiedLabel), confirmRowRule(row));
    ShowWindow(windowOf(row.confirmButton), SW_HIDE);
}

} // namespace vellix
