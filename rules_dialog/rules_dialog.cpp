#include "rules_dialog/rules_dialog.h"

#include "res/resource.h"
#include "rules_dialog/pattern_box.h"
#include "rules_dialog/rules_dialog_layout.h"
#include "rules_dialog/try_number.h"
#include "win32/scoped_handles.h"

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

constexpr int ICON_SIZE = 16;
// One picture for each of the button's states.
constexpr int BUTTON_IMAGES = 5;
// Rows one notch of the mouse wheel scrolls.
constexpr int WHEEL_ROWS = 3;
constexpr int SCROLL_BAR_ID = 142;

HWND windowOf(WindowHandle handle) {
    return static_cast<HWND>(handle);
}

// What the open dialog keeps, bound to its window: the rows, and the pictures and the
// tooltip that all rows share, so that a row costs no more than its controls.
struct RulesDialogWindow {
    RulesDialogState state;
    ScopedImageList confirmImages;
    ScopedImageList deleteImages;
    // Owned by the dialog, which destroys it with itself.
    HWND tooltip = nullptr;
};

HINSTANCE instanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

RulesDialogWindow* boundTo(HWND dialog) {
    return reinterpret_cast<RulesDialogWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

RulesDialogState* stateOf(HWND dialog) {
    RulesDialogWindow* bound = boundTo(dialog);
    return bound != nullptr ? &bound->state : nullptr;
}

void moveControl(HWND control, const PixelRect& place) {
    MoveWindow(control, place.x, place.y, place.width, place.height, TRUE);
}

PixelRect workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

HWND createChild(HWND dialog, const char* className, const char* text, DWORD style, DWORD exStyle,
                 int id) {
    const HWND window = CreateWindowExA(exStyle, className, text, style, 0, 0, 0, 0, dialog,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        instanceOf(dialog), nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return window;
}

// Sets what the row's controls show for what the row holds. Their notifications are not
// edits of the user's, so the caller ignores them meanwhile.
void fillRowControls(const RuleRow& row) {
    SetWindowTextA(windowOf(row.patternBox), chosenPattern(row));
    SetWindowTextA(windowOf(row.replacementEdit), row.replacement.c_str());
    SetWindowTextA(windowOf(row.enabledLabel), enabledLabelOf(row));
    SendMessageA(windowOf(row.enableBox), BM_SETCHECK,
                 row.rule.isEnabled() ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowTextA(windowOf(row.verifiedLabel), verifiedLabelText(row.rule.isVerified()));
    ShowWindow(windowOf(row.confirmButton), row.rule.isVerified() ? SW_HIDE : SW_SHOW);
}

// The shown row and control a window belongs to, or holds it.
struct RowPlace {
    std::size_t row = 0;
    RowControl control = DIAL_LABEL;
};

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

// Hands a row's windows to another row, which takes its ids.
void moveRowWindows(RuleRow& from, RuleRow& to) {
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        controlWindow(to, control) = controlWindow(from, control);
        controlWindow(from, control) = nullptr;
        SetWindowLongPtrA(windowOf(controlWindow(to, control)), GWLP_ID, controlId(to, control));
    }
    to.deleteTip = from.deleteTip;
    from.deleteTip = nullptr;
    to.shownTop = from.shownTop;
    from.shownTop = -1;
}

// Gives controls to the rows in view and to no other: those of rows that left the view go
// to rows that came into it, and only what is missing is created, so that a dialog of any
// number of rules holds no more windows than its screen shows.
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

void scrollRows(HWND dialog, RulesDialogState& state, std::size_t first,
                std::size_t wanted = SIZE_MAX) {
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

void updateTryText(HWND dialog, const RulesDialogState& state) {
    SetDlgItemTextA(dialog, TRY_TEXT_ID, tryText(state.rows, state.typed).c_str());
}

// Keeps the keyboard in the dialog when the focused control is about to go.
void moveFocusOutOfRow(HWND dialog, const RuleRow& row) {
    const HWND focus = GetFocus();
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const HWND control = windowOf(controlWindow(row, static_cast<RowControl>(k)));
        if (focus != nullptr && control != nullptr &&
            (focus == control || GetParent(focus) == control)) {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)),
                         TRUE);
            return;
        }
    }
}

// The row's texts in the font the row's labels use.
RowTextWidths measureRowTexts(HWND dialog) {
    HDC dc = GetDC(dialog);
    const HGDIOBJ before = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const auto width = [dc](const char* text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
        return static_cast<int>(size.cx);
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

INT_PTR onInitDialog(HWND dialog, LPARAM lParam) {
    auto bound = std::make_unique<RulesDialogWindow>();
    RulesDialogState& state = bound->state;
    state.rules = reinterpret_cast<RuleSet*>(lParam);
    if (state.rules != nullptr) {
        state.rows.reserve(state.rules->size());
        for (const DialingRule& rule : *state.rules)
            state.rows.push_back(makeRuleRow(rule, state.idCounter));
    }
    state.maxDialogHeight = workAreaOf(dialog).height;
    state.columns = rowColumns(measureRowTexts(dialog));
    bound->confirmImages.reset(loadButtonImages(instanceOf(dialog), CONFIRM_ICON));
    bound->deleteImages.reset(loadButtonImages(instanceOf(dialog), DELETE_ICON));
    bound->tooltip = createTooltip(dialog);
    createDialogControls(dialog);
    showRows(state, 0);
    // Each open dialog keeps its own rows, so a second one opened meanwhile cannot mix them.
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(bound.release()));
    layoutRulesDialog(dialog, state);
    return TRUE;
}

std::string controlText(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
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

// Gives the keyboard to a row's control, scrolling the row into view first.
void focusRowControl(HWND dialog, RulesDialogState& state, std::size_t row, RowControl control) {
    scrollRows(dialog, state, state.firstShown, row);
    state.navigating = true;
    SendMessageA(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(windowOf(controlWindow(state.rows[row], control))), TRUE);
    state.navigating = false;
}

// Tab and the arrow keys walk through all rows, not only those on the screen: the dialog
// asks here before it moves the focus, and a row not in view is scrolled into it.
INT_PTR onNextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    RulesDialogState* state = stateOf(dialog);
    if (state == nullptr || state->navigating || state->rows.empty())
        return FALSE;
    const HWND focus = GetFocus();
    const std::optional<RowPlace> at = rowPlaceOf(*state, focus);
    bool forward = wParam == 0;
    if (LOWORD(lParam) != 0) {
        // A given window: the arrow keys chose the next control of the group.
        if (!at)
            return FALSE;
        forward = GetNextDlgGroupItem(dialog, focus, FALSE) == reinterpret_cast<HWND>(wParam);
    } else if (!at) {
        // Tab into the rows starts at the first row, Shift+Tab at the last.
        if (!rowPlaceOf(*state, GetNextDlgTabItem(dialog, focus, !forward)))
            return FALSE;
        const std::size_t row = forward ? 0 : state->rows.size() - 1;
        const std::vector<RowControl> controls = tabControls(state->rows[row]);
        focusRowControl(dialog, *state, row, forward ? controls.front() : controls.back());
        return TRUE;
    }
    std::size_t row = at->row;
    std::vector<RowControl> controls = tabControls(state->rows[row]);
    auto position = std::find(controls.begin(), controls.end(), at->control);
    if (position == controls.end())
        return FALSE;
    if (forward && position + 1 != controls.end()) {
        focusRowControl(dialog, *state, row, *(position + 1));
    } else if (!forward && position != controls.begin()) {
        focusRowControl(dialog, *state, row, *(position - 1));
    } else if (forward ? row + 1 < state->rows.size() : row > 0) {
        row = forward ? row + 1 : row - 1;
        controls = tabControls(state->rows[row]);
        focusRowControl(dialog, *state, row, forward ? controls.front() : controls.back());
    } else {
        // Past the last row comes OK, before the first the Try field.
        state->navigating = true;
        SendMessageA(dialog, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(dialog, forward ? IDOK : TRY_NUMBER_ID)),
                     TRUE);
        state->navigating = false;
    }
    return TRUE;
}

// The pattern boxes are the dialog's only drawn controls.
INT_PTR onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON)
        return FALSE;
    drawPatternBox(item);
    return TRUE;
}

// The buttons are gone by now; their pictures go with the dialog's own record.
void onNcDestroy(HWND dialog) {
    std::unique_ptr<RulesDialogWindow> bound(boundTo(dialog));
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
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
        return onNextControl(dialog, wParam, lParam);
    case WM_DRAWITEM:
        return onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
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

void createRuleRow(HWND dialog, RuleRow& row, int y, const RowColumns& columns) {
    const HINSTANCE instance = instanceOf(dialog);
    const auto guiFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        const RowControlTemplate& entry = ROW_CONTROLS[k];
        const PixelRect place = rowControlRect(control, y, columns);
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row, control)));
        const HWND window = CreateWindowExA(
            entry.exStyle, entry.className, initialControlText(row, control), entry.style, place.x,
            place.y, place.width, place.height, dialog, id, instance, nullptr);
        controlWindow(row, control) = window;
        if (entry.guiFont)
            SendMessageA(window, WM_SETFONT, guiFont, FALSE);
    }
    row.shownTop = y;
    addPatternBoxKeys(windowOf(row.patternBox));
    if (const RulesDialogWindow* bound = boundTo(dialog)) {
        setButtonImages(windowOf(row.confirmButton), bound->confirmImages.get());
        setButtonImages(windowOf(row.deleteButton), bound->deleteImages.get());
        if (addTool(bound->tooltip, windowOf(row.deleteButton), "Delete"))
            row.deleteTip = bound->tooltip;
    }
    fillRowControls(row);
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
    const PixelRect place = fitOnScreen(
        {outer.left, outer.top, layout.dialog.width, layout.dialog.height}, workAreaOf(dialog));
    MoveWindow(dialog, place.x, place.y, place.width, place.height, TRUE);
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

void destroyRuleRow(const RuleRow& row) {
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

HIMAGELIST loadButtonImages(HINSTANCE instance, int iconId) {
    // The image list takes its own copies of the picture.
    const ScopedIcon icon(static_cast<HICON>(LoadImageA(
        instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, ICON_SIZE, ICON_SIZE, LR_DEFAULTCOLOR)));
    const HIMAGELIST images =
        ImageList_Create(ICON_SIZE, ICON_SIZE, ILC_COLOR24 | ILC_MASK, BUTTON_IMAGES, 1);
    for (int i = 0; i < BUTTON_IMAGES; ++i)
        ImageList_AddIcon(images, icon.get());
    return images;
}

void setButtonImages(HWND button, HIMAGELIST images) {
    SetWindowTextA(button, "");
    BUTTON_IMAGELIST list{};
    list.himl = images;
    list.margin = RECT{0, 0, 0, 0};
    list.uAlign = BUTTON_IMAGELIST_ALIGN_CENTER;
    SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

HWND createTooltip(HWND owner) {
    return CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                           nullptr, instanceOf(owner), nullptr);
}

bool addTool(HWND tooltip, HWND control, const char* text) {
    if (tooltip == nullptr)
        return false;
    // The size that every version of the common controls accepts.
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = control;
    tool.uId = 0;
    GetClientRect(control, &tool.rect);
    std::string toolText = text;
    tool.lpszText = toolText.data();
    return SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

} // namespace vellix
