#include "win32/keyboard.h"

#include "res/resource.h"

namespace vellix {

namespace {

// The flag of a key-down message that repeats a key already held down.
constexpr LPARAM KEY_WAS_DOWN = 0x40000000;

bool isWithin(HWND window, HWND ancestor) {
    return window == ancestor || IsChild(ancestor, window) != FALSE;
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
    if (inNumberBox && SendMessageA(strip.numberBox, CB_GETDROPPEDSTATE, 0, 0) != FALSE)
        return false;
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
        SetFocus(inNumberBox ? strip.dialButton : strip.numberBox);
        return true;
    default:
        return false;
    }
}

} // namespace vellix
