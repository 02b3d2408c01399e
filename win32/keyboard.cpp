#include "win32/keyboard.h"

#include "res/resource.h"

namespace vellix {

namespace {

// The flag of a key-down message that repeats a key already held down.
constexpr LPARAM KEY_WAS_DOWN = 0x40000000;

bool isWithin(HWND window, HWND ancestor) {
    return window == ancestor || IsChild(ancestor, window) != FALSE;
}

bool numberButtonShown(const ToolbarStrip& strip) {
    return SendMessageA(strip.toolbar, TB_ISBUTTONHIDDEN, CMD_NUMBER_MENU, 0) == FALSE;
}

// Tab goes round the strip, Shift+Tab back: the number button when it is shown, the number
// box, Dial. On the toolbar the number button is its hot item.
void focusNextInStrip(const ToolbarStrip& strip, HWND from, bool backwards) {
    HWND order[3] = {};
    int count = 0;
    if (numberButtonShown(strip))
        order[count++] = strip.toolbar;
    order[count++] = strip.numberBox;
    order[count++] = strip.dialButton;
    int at = 0;
    for (int i = 0; i < count; ++i) {
        if (order[i] == from)
            at = i;
    }
    HWND next = order[(at + (backwards ? count - 1 : 1)) % count];
    SetFocus(next);
    if (next == strip.toolbar)
        SendMessageA(strip.toolbar, TB_SETHOTITEM, 0, 0);
}

} // namespace

bool takeMainWindowKey(HWND mainWindow, const ToolbarStrip& strip, const MSG& message) {
    if (message.message != WM_KEYDOWN || !isWithin(message.hwnd, mainWindow))
        return false;
    // Active while hidden (the icon's menu needs that), the window takes no key: Enter dials
    // only a number the user can see.
    if (IsWindowVisible(mainWindow) == FALSE)
        return true;
    const bool inNumberBox = isWithin(message.hwnd, strip.numberBox);
    const bool onDial = message.hwnd == strip.dialButton;
    const bool onNumberButton = message.hwnd == strip.toolbar;
    if (inNumberBox && SendMessageA(strip.numberBox, CB_GETDROPPEDSTATE, 0, 0) != FALSE)
        return false;
    // The number button opens its menu from the keyboard as a click on its arrow does.
    if (onNumberButton &&
        (message.wParam == VK_RETURN || message.wParam == VK_SPACE || message.wParam == VK_DOWN)) {
        PostMessageA(mainWindow, WM_COMMAND, CMD_NUMBER_MENU, 0);
        return true;
    }
    switch (message.wParam) {
    case VK_RETURN:
        if (!inNumberBox && !onDial)
            return false;
        // A held key repeats; one press places one call.
        if ((message.lParam & KEY_WAS_DOWN) == 0) {
            // Handled at once, while the left Ctrl key that Dial looks at is still down.
            SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(CMD_DIAL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(strip.dialButton));
        }
        return true;
    case VK_ESCAPE:
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
        return true;
    case VK_TAB:
        focusNextInStrip(strip, inNumberBox ? strip.numberBox : message.hwnd,
                         GetKeyState(VK_SHIFT) < 0);
        return true;
    default:
        return false;
    }
}

} // namespace vellix
