#include "rules_dialog/rules_dialog.h"

#include "app/scoped_handles.h"
#include "res/resource.h"
#include "rules_dialog/rules_dialog_layout.h"
#include "rules_dialog/rules_dialog_state.h"

#include <commctrl.h>

#include <memory>
#include <string>

namespace vellix {

static_assert(STYLE_CHILD == WS_CHILD && STYLE_VISIBLE == WS_VISIBLE);
static_assert(STYLE_COMBO_DROPDOWN == CBS_DROPDOWN && STYLE_EDIT_AUTOHSCROLL == ES_AUTOHSCROLL);
static_assert(STYLE_BUTTON_AUTOCHECKBOX == BS_AUTOCHECKBOX && STYLE_BUTTON_BITMAP == BS_BITMAP);
static_assert(EX_STYLE_CLIENT_EDGE == WS_EX_CLIENTEDGE);
static_assert(RULES_DIALOG_OK == IDOK && RULES_DIALOG_CANCEL == IDCANCEL);
static_assert(RULES_GROUP_BOX_ID == IDC_RULES_GROUP && CONFIRM_ICON == IDI_CONFIRM &&
              DELETE_ICON == IDI_DELETE);

namespace {

constexpr int ICON_SIZE = 16;
// One picture for each of the button's states.
constexpr int BUTTON_IMAGES = 5;

HWND windowOf(WindowHandle handle) {
    return static_cast<HWND>(handle);
}

HINSTANCE instanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

RulesDialogState* stateOf(HWND dialog) {
    return reinterpret_cast<RulesDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void moveControl(HWND control, const PixelRect& place) {
    MoveWindow(control, place.x, place.y, place.width, place.height, TRUE);
}

// Sets what a control shows for the row's rule once it exists.
void fillRowControl(RuleRow& row, RowControl control, HWND window) {
    switch (control) {
    case PATTERN_BOX:
        SetWindowTextA(window, row.rule.patternText());
        break;
    case REPLACEMENT_EDIT:
        SetWindowTextA(window, replacementTextOf(row.rule).c_str());
        break;
    case ENABLE_BOX:
        SendMessageA(window, BM_SETCHECK, row.rule.isEnabled() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case CONFIRM_BUTTON:
        setButtonIcon(window, CONFIRM_ICON);
        if (row.rule.isVerified())
            ShowWindow(window, SW_HIDE);
        break;
    case DELETE_BUTTON:
        setButtonIcon(window, DELETE_ICON);
        row.deleteTip = addTooltip(window, "Delete");
        break;
    default:
        break;
    }
}

// The image list belongs to the button's user, so it goes with the button.
void releaseButtonIcon(HWND button) {
    BUTTON_IMAGELIST images{};
    if (SendMessageA(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) &&
        images.himl != nullptr)
        ImageList_Destroy(images.himl);
}

// Keeps the keyboard in the dialog when the focused control is about to go.
void moveFocusOutOfRow(HWND dialog, const RuleRow& row) {
    const HWND focus = GetFocus();
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        if (focus != nullptr && focus == windowOf(controlWindow(row, static_cast<RowControl>(k)))) {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)),
                         TRUE);
            return;
        }
    }
}

INT_PTR onInitDialog(HWND dialog, LPARAM lParam) {
    auto state = std::make_unique<RulesDialogState>();
    state->rules = reinterpret_cast<RuleSet*>(lParam);
    if (state->rules != nullptr)
        state->rows = buildRuleRows(dialog, *state->rules, 0, state->idCounter);
    layoutRulesDialog(dialog, state->rows);
    // Each open dialog keeps its own rows, so a second one opened meanwhile cannot mix them.
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state.release()));
    return TRUE;
}

INT_PTR onCommand(HWND dialog, std::int32_t id) {
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
    const RowCommand command = rowCommandFor(*state, id);
    switch (command.action) {
    case RowAction::TOGGLE_ROW:
        toggleRuleRow(state->rows[command.row]);
        break;
    case RowAction::CONFIRM_ROW:
        confirmRuleRow(state->rows[command.row]);
        layoutRulesDialog(dialog, state->rows);
        break;
    case RowAction::DELETE_ROW:
        moveFocusOutOfRow(dialog, state->rows[command.row]);
        destroyRuleRow(state->rows[command.row]);
        removeRuleRow(*state, command.row);
        layoutRulesDialog(dialog, state->rows);
        break;
    case RowAction::NOTHING:
        break;
    }
    return FALSE;
}

// The row controls still exist here; the dialog's own destruction follows.
void onDestroy(HWND dialog) {
    if (const RulesDialogState* state = stateOf(dialog)) {
        for (const RuleRow& row : state->rows) {
            releaseButtonIcon(windowOf(row.confirmButton));
            releaseButtonIcon(windowOf(row.deleteButton));
        }
    }
}

void onNcDestroy(HWND dialog) {
    std::unique_ptr<RulesDialogState> state(stateOf(dialog));
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

INT_PTR dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, lParam);
    case WM_COMMAND:
        return onCommand(dialog, LOWORD(wParam));
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

RuleRowList buildRuleRows(HWND dialog, const RuleSet& rules, int y, std::int32_t& idCounter) {
    RuleRowList rows;
    rows.reserve(rules.size());
    for (const DialingRule& rule : rules) {
        rows.push_back(createRuleRow(dialog, rule, y, idCounter));
        y += ROW_HEIGHT;
    }
    return rows;
}

RuleRow createRuleRow(HWND dialog, const DialingRule& rule, int y, std::int32_t& idCounter) {
    RuleRow row = makeRuleRow(rule, idCounter);
    const HINSTANCE instance = instanceOf(dialog);
    const auto guiFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        const RowControlTemplate& entry = ROW_CONTROLS[k];
        const PixelRect place = rowControlRect(control, y);
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row, control)));
        const HWND window = CreateWindowExA(
            entry.exStyle, entry.className, initialControlText(row, control), entry.style, place.x,
            place.y, place.width, place.height, dialog, id, instance, nullptr);
        controlWindow(row, control) = window;
        if (entry.guiFont)
            SendMessageA(window, WM_SETFONT, guiFont, FALSE);
        fillRowControl(row, control, window);
    }
    return row;
}

void layoutRulesDialog(HWND dialog, const RuleRowList& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        moveRuleRow(rows[i], ruleRowTop(i));
    const RulesDialogLayout layout = rulesDialogLayout(rows.size());
    moveControl(GetDlgItem(dialog, RULES_GROUP_BOX_ID), layout.groupBox);
    moveControl(GetDlgItem(dialog, IDOK), layout.okButton);
    moveControl(GetDlgItem(dialog, IDCANCEL), layout.cancelButton);
    RECT outer{};
    GetWindowRect(dialog, &outer);
    MoveWindow(dialog, outer.left, outer.top, layout.dialog.width, layout.dialog.height, TRUE);
}

void moveRuleRow(const RuleRow& row, int y) {
    for (std::int32_t k = 0; k < CONTROLS_PER_ROW; ++k) {
        const auto control = static_cast<RowControl>(k);
        moveControl(windowOf(controlWindow(row, control)), rowControlRect(control, y));
    }
}

void toggleRuleRow(RuleRow& row) {
    const bool ticked = SendMessageA(windowOf(row.enableBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
    SetWindowTextA(windowOf(row.enabledLabel), setRowRuleEnabled(row, ticked));
}

void confirmRuleRow(RuleRow& row) {
    SetWindowTextA(windowOf(row.verifiedLabel), confirmRowRule(row));
    ShowWindow(windowOf(row.confirmButton), SW_HIDE);
}

void destroyRuleRow(const RuleRow& row) {
    releaseButtonIcon(windowOf(row.confirmButton));
    releaseButtonIcon(windowOf(row.deleteButton));
    const WindowHandle windows[] = {
        row.enableBox,       row.dialLabel,     row.patternBox,   row.asLabel,
        row.replacementEdit, row.confirmButton, row.enabledLabel, row.verifiedLabel,
        row.deleteButton,    row.deleteTip,
    };
    for (const WindowHandle window : windows) {
        if (window != nullptr)
            DestroyWindow(windowOf(window));
    }
}

void setButtonIcon(HWND button, int iconId) {
    // The image list takes its own copies of the picture.
    const ScopedIcon icon(
        static_cast<HICON>(LoadImageA(instanceOf(button), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                      ICON_SIZE, ICON_SIZE, LR_DEFAULTCOLOR)));
    ScopedImageList images(
        ImageList_Create(ICON_SIZE, ICON_SIZE, ILC_COLOR24 | ILC_MASK, BUTTON_IMAGES, 1));
    for (int i = 0; i < BUTTON_IMAGES; ++i)
        ImageList_AddIcon(images.get(), icon.get());
    SetWindowTextA(button, "");
    BUTTON_IMAGELIST list{};
    list.himl = images.get();
    list.margin = RECT{0, 0, 0, 0};
    list.uAlign = BUTTON_IMAGELIST_ALIGN_CENTER;
    // From here the button holds the list, and releaseButtonIcon gives it back.
    if (SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)))
        images.release();
}

HWND addTooltip(HWND control, const char* text) {
    const HWND tip =
        CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control,
                        nullptr, instanceOf(control), nullptr);
    if (tip == nullptr)
        return nullptr;
    // The size that every version of the common controls accepts.
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = control;
    tool.uId = 0;
    GetClientRect(control, &tool.rect);
    std::string toolText = text;
    tool.lpszText = toolText.data();
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

} // namespace vellix
