#include "rules_dialog/rules_dialog.h"

#include "res/resource.h"
#include "rules_dialog/dialog_window.h"
#include "rules_dialog/pattern_box.h"
#include "rules_dialog/row_keys.h"
#include "rules_dialog/row_pictures.h"
#include "rules_dialog/row_windows.h"
#include "rules_dialog/rules_dialog_layout.h"
#include "rules_dialog/try_number.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vellix {

static_assert(STYLE_CHILD == WS_CHILD && STYLE_VISIBLE == WS_VISIBLE &&
              STYLE_TABSTOP == WS_TABSTOP);
static_assert(STYLE_EDIT_AUTOHSCROLL == ES_AUTOHSCROLL && STYLE_BUTTON_OWNERDRAW == BS_OWNERDRAW);
static_assert(STYLE_BUTTON_AUTOCHECKBOX == BS_AUTOCHECKBOX && STYLE_BUTTON_BITMAP == BS_BITMAP);
static_assert(EX_STYLE_CLIENT_EDGE == WS_EX_CLIENTEDGE);
static_assert(RULES_DIALOG_OK == IDOK && RULES_DIALOG_CANCEL == IDCANCEL);
static_assert(NOTIFY_EDIT_CHANGE == EN_CHANGE && NOTIFY_BUTTON_CLICK == BN_CLICKED);
static_assert(RULES_GROUP_BOX_ID == IDC_RULES_GROUP && CONFIRM_ICON == IDI_CONFIRM &&
              DELETE_ICON == IDI_DELETE);

namespace {

// Rows one notch of the mouse wheel scrolls.
constexpr int WHEEL_ROWS = 3;

PixelRect workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

HWND createChild(HWND dialog, const char* className, const char* text, DWORD style, DWORD exStyle,
                 int id) {
    const HWND window = CreateWindowExW(
        exStyle, WideArgument(className).get(), WideArgument(text).get(), style, 0, 0, 0, 0, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instanceOf(dialog), nullptr);
    SendMessageA(window, WM_SETFONT, fontOf(dialog), FALSE);
    return window;
}

void updateTryText(HWND dialog, const RulesDialogState& state) {
    SetDlgItemTextA(dialog, TRY_TEXT_ID, tryText(state.rows, state.typed).c_str());
}

// The row's texts in the dialog's font, in standard pixels.
RowTextWidths measureRowTexts(HWND dialog) {
    HDC dc = GetDC(dialog);
    const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(fontOf(dialog)));
    const int dpi = dpiOf(dialog);
    const auto width = [dc, dpi](const char* text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
        return unscaledFromDpi(static_cast<int>(size.cx), dpi);
    };
    RowTextWidths texts;
    texts.dial = width(ROW_CONTROLS[DIAL_LABEL].text);
    texts.numbersAs = width(ROW_CONTROLS[AS_LABEL].text);
    texts.enabledLabel = std::max({width(enabledLabelText(true)), width(enabledLabelText(false)),
                                   width(UNREADABLE_REPLACEMENT_TEXT)});
    texts.verifiedLabel = std::max(width(verifiedLabelText(true)), width(verifiedLabelText(false)));
    SelectObject(dc, before);
    ReleaseDC(dialog, dc);
    return texts;
}

void createDialogControls(HWND dialog) {
    constexpr DWORD SHOWN = WS_CHILD | WS_VISIBLE;
    createChild(dialog, "static", "Try", SHOWN, 0, -1);
    createChild(dialog, "edit", "", SHOWN | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                TRY_NUMBER_ID);
    createChild(dialog, "static", "", SHOWN | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS, 0,
                TRY_TEXT_ID);
    CreateWindowExA(0, "scrollbar", nullptr, WS_CHILD | SBS_VERT, 0, 0, 0, 0, dialog,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(SCROLL_BAR_ID)),
                    instanceOf(dialog), nullptr);
}

BOOL CALLBACK setFontOfChild(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

// Lays the dialog out anew for a display scale: its font, its pictures, the widths of the
// row's texts and how many rows the screen has room for. The rows in view are placed again.
void applyScale(HWND dialog, RulesDialogWindow& bound, int dpi) {
    bound.dpi = dpi;
    ScopedFont font = createMessageFont(dpi);
    if (font) {
        EnumChildWindows(dialog, setFontOfChild, reinterpret_cast<LPARAM>(font.get()));
        bound.font = std::move(font);
    }
    const int pictureSize = pictureSizeForDpi(dpi);
    bound.confirmImages.reset(loadButtonImages(instanceOf(dialog), CONFIRM_ICON, pictureSize));
    bound.deleteImages.reset(loadButtonImages(instanceOf(dialog), DELETE_ICON, pictureSize));
    RulesDialogState& state = bound.state;
    for (RuleRow& row : state.rows) {
        if (row.enableBox == nullptr)
            continue;
        setButtonImages(windowOf(row.confirmButton), bound.confirmImages.get());
        setButtonImages(windowOf(row.deleteButton), bound.deleteImages.get());
        row.shownTop = -1;
    }
    state.columns = rowColumns(measureRowTexts(dialog));
    state.maxDialogHeight = workAreaOf(dialog).height * STANDARD_DPI / dpi;
    showRows(state, state.firstShown);
}

INT_PTR onInitDialog(HWND dialog, LPARAM lParam) {
    // Each open dialog keeps its own rows, so a second one opened meanwhile cannot mix them.
    auto owned = std::make_unique<RulesDialogWindow>();
    RulesDialogWindow* bound = owned.get();
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(owned.release()));
    RulesDialogState& state = bound->state;
    state.rules = reinterpret_cast<RuleSet*>(lParam);
    if (state.rules != nullptr) {
        state.rows.reserve(state.rules->size());
        for (const DialingRule& rule : *state.rules)
            state.rows.push_back(makeRuleRow(rule, state.idCounter));
    }
    keepDialogLayoutOwn(dialog);
    bound->tooltip = createTooltip(dialog);
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     bound->accessibility.put());
    createDialogControls(dialog);
    applyScale(dialog, *bound, dpiOfWindow(dialog));
    layoutRulesDialog(dialog, state);
    return TRUE;
}

// Moved to a display of another scale: laid out for it where the system suggests.
void onDpiChanged(HWND dialog, int dpi, const RECT& suggested) {
    RulesDialogWindow* bound = boundTo(dialog);
    if (bound == nullptr || dpi <= 0)
        return;
    applyScale(dialog, *bound, dpi);
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    layoutRulesDialog(dialog, bound->state);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// High contrast switched on or off: the pictures are made again, with the rest, at the scale
// the dialog has.
void onThemeChanged(HWND dialog) {
    RulesDialogWindow* bound = boundTo(dialog);
    if (bound == nullptr)
        return;
    applyScale(dialog, *bound, bound->dpi);
    layoutRulesDialog(dialog, bound->state);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// What was typed, read as a copied text is: full-width digits are digits.
std::string controlText(HWND control) {
    return foldedText(windowText(control));
}

// Offers the row's patterns below its box; true when one was chosen. The list waits for the
// user, and meanwhile the row may scroll away or go, so it is found again afterwards.
bool onPatternBoxClick(RulesDialogState& state, std::size_t clicked) {
    const std::int32_t firstId = state.rows[clicked].firstId;
    const std::vector<std::size_t> offered = offeredPatterns(state.rows, clicked);
    std::vector<std::string> patterns;
    std::size_t current = 0;
    for (const std::size_t i : offered) {
        if (i == state.rows[clicked].patternChoice)
            current = patterns.size();
        patterns.push_back(state.rows[clicked].patterns[i]);
    }
    const std::optional<std::size_t> choice =
        pickPattern(windowOf(state.rows[clicked].patternBox), patterns, current);
    const std::optional<std::size_t> index = findRuleRow(state.rows, firstId);
    if (!choice || !index)
        return false;
    RuleRow& row = state.rows[*index];
    choosePattern(row, offered[*choice]);
    // A row scrolled out of view shows its choice when it comes back.
    if (row.patternBox != nullptr) {
        state.filling = true;
        fillRowControls(row);
        state.filling = false;
    }
    return true;
}

void onRowCommand(HWND dialog, RulesDialogState& state, const RowCommand& command) {
    RuleRow& row = state.rows[command.row];
    switch (command.action) {
    case RowAction::TOGGLE_ROW:
        toggleRuleRow(row);
        break;
    case RowAction::CONFIRM_ROW:
        confirmRuleRow(row);
        layoutRulesDialog(dialog, state);
        break;
    case RowAction::DELETE_ROW:
        moveFocusOutOfRow(dialog, row);
        destroyRuleRow(row);
        removeRuleRow(state, command.row);
        showRows(state, state.firstShown);
        layoutRulesDialog(dialog, state);
        break;
    case RowAction::EDIT_REPLACEMENT:
        row.replacement = controlText(windowOf(row.replacementEdit));
        SetWindowTextA(windowOf(row.enabledLabel), enabledLabelOf(row));
        break;
    case RowAction::CHOOSE_PATTERN:
        if (!onPatternBoxClick(state, command.row))
            return;
        break;
    case RowAction::NOTHING:
        return;
    }
    updateTryText(dialog, state);
}

INT_PTR onCommand(HWND dialog, std::int32_t id, std::uint32_t notification) {
    RulesDialogState* state = stateOf(dialog);
    if (state == nullptr)
        return FALSE;
    if (id == IDOK) {
        acceptRules(*state);
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    if (id == TRY_NUMBER_ID && notification == EN_CHANGE) {
        state->typed = controlText(GetDlgItem(dialog, TRY_NUMBER_ID));
        updateTryText(dialog, *state);
        return FALSE;
    }
    if (!state->filling)
        onRowCommand(dialog, *state, rowCommandFor(*state, id, notification));
    return FALSE;
}

void onVScroll(HWND dialog, WPARAM wParam) {
    RulesDialogState* state = stateOf(dialog);
    if (state == nullptr)
        return;
    const auto first = static_cast<long long>(state->firstShown);
    const auto page = static_cast<long long>(state->shownRows);
    long long wanted = first;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        wanted = first - 1;
        break;
    case SB_LINEDOWN:
        wanted = first + 1;
        break;
    case SB_PAGEUP:
        wanted = first - page;
        break;
    case SB_PAGEDOWN:
        wanted = first + page;
        break;
    case SB_TOP:
        wanted = 0;
        break;
    case SB_BOTTOM:
        wanted = static_cast<long long>(state->rows.size());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 16 bits of the message would cut a long list short.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(GetDlgItem(dialog, SCROLL_BAR_ID), SB_CTL, &info);
        wanted = info.nTrackPos;
        break;
    }
    default:
        return;
    }
    scrollRows(dialog, *state, static_cast<std::size_t>(std::max(wanted, 0LL)));
}

void onMouseWheel(HWND dialog, WPARAM wParam) {
    RulesDialogState* state = stateOf(dialog);
    if (state == nullptr || state->shownRows >= state->rows.size())
        return;
    state->wheel += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = state->wheel / WHEEL_DELTA;
    state->wheel -= notches * WHEEL_DELTA;
    const long long wanted =
        static_cast<long long>(state->firstShown) - static_cast<long long>(notches) * WHEEL_ROWS;
    scrollRows(dialog, *state, static_cast<std::size_t>(std::max(wanted, 0LL)));
}

// The pattern boxes are the dialog's only drawn controls.
INT_PTR onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON)
        return FALSE;
    drawPatternBox(item);
    return TRUE;
}

// The buttons are gone by now; their pictures go with the dialog's own record.
// The rows' controls go with the dialog; the names given to them go first.
void onDestroy(HWND dialog) {
    if (RulesDialogWindow* bound = boundTo(dialog)) {
        for (const RuleRow& row : bound->state.rows) {
            if (row.enableBox != nullptr)
                forgetRowNames(*bound, row);
        }
    }
}

void onNcDestroy(HWND dialog) {
    std::unique_ptr<RulesDialogWindow> bound(boundTo(dialog));
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
}

INT_PTR dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, lParam);
    case WM_COMMAND:
        // The low word holds only 16 bits of an id, and row controls go past that: a
        // control's own id is asked for.
        return onCommand(dialog,
                         lParam != 0 ? GetDlgCtrlID(reinterpret_cast<HWND>(lParam))
                                     : static_cast<std::int32_t>(LOWORD(wParam)),
                         HIWORD(wParam));
    case WM_VSCROLL:
        onVScroll(dialog, wParam);
        return TRUE;
    case WM_MOUSEWHEEL:
        onMouseWheel(dialog, wParam);
        return TRUE;
    case WM_NEXTDLGCTL:
        return moveRowFocus(dialog, wParam, lParam);
    case WM_DRAWITEM:
        return onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_DPICHANGED:
        onDpiChanged(dialog, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        onThemeChanged(dialog);
        return FALSE;
    case WM_DESTROY:
        onDestroy(dialog);
        return FALSE;
    case WM_NCDESTROY:
        onNcDestroy(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK rulesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind into the system's dialog code. A dialog that could not be built
    // ends as Cancel would; a failed OK leaves the caller's rules as they were.
    try {
        return dispatch(dialog, message, wParam, lParam);
    } catch (...) {
        if (message == WM_INITDIALOG)
            EndDialog(dialog, IDCANCEL);
        return FALSE;
    }
}

void layoutRulesDialog(HWND dialog, RulesDialogState& state) {
    showRowWindows(dialog, state);
    const RulesDialogLayout layout =
        rulesDialogLayout(state.rows.size(), state.maxDialogHeight, state.columns);
    moveControl(GetDlgItem(dialog, RULES_GROUP_BOX_ID), layout.groupBox);
    moveControl(GetDlgItem(dialog, IDOK), layout.okButton);
    moveControl(GetDlgItem(dialog, IDCANCEL), layout.cancelButton);
    moveControl(GetDlgItem(dialog, TRY_NUMBER_ID), layout.tryNumber);
    moveControl(GetDlgItem(dialog, TRY_TEXT_ID), layout.tryText);
    // The label has no id of its own; it is the control just before the field.
    moveControl(GetWindow(GetDlgItem(dialog, TRY_NUMBER_ID), GW_HWNDPREV), layout.tryLabel);
    const HWND scrollBar = GetDlgItem(dialog, SCROLL_BAR_ID);
    moveControl(scrollBar, layout.scrollBar);
    updateScrollBar(dialog, state);
    ShowWindow(scrollBar, layout.scrollBar.width > 0 ? SW_SHOWNA : SW_HIDE);
    // Sized and placed at once, so that no part of it is ever off the screen.
    RECT outer{};
    GetWindowRect(dialog, &outer);
    const PixelRect size = scaledRect(layout.dialog, dpiOf(dialog));
    const PixelRect place =
        fitOnScreen({outer.left, outer.top, size.width, size.height}, workAreaOf(dialog));
    MoveWindow(dialog, place.x, place.y, place.width, place.height, TRUE);
}

} // namespace vellix
