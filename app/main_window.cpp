#include "app/main_window.h"

#include <commctrl.h>

namespace vellix {

namespace {

Shell* shell = nullptr;
Win32Desktop* desktop = nullptr;
// Sent to every top-level window when the shell's taskbar is re-created.
UINT taskbarCreatedMessage = 0;

LRESULT onPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT onNotify(const NMHDR* header) {
    if (header->code == static_cast<UINT>(TBN_DROPDOWN))
        shell->onNumberButtonDropDown();
    return 0;
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (shell->onCommand(LOWORD(wParam)))
        return 0;
    return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

LRESULT onTrayMessage(HWND window, WPARAM wParam, LPARAM lParam) {
    shell->onTrayMessage(static_cast<std::uint32_t>(lParam));
    return DefWindowProcA(window, TRAY_CALLBACK_MESSAGE, wParam, lParam);
}

} // namespace

void connectMainWindow(Shell& mainShell, Win32Desktop& mainDesktop) {
    shell = &mainShell;
    desktop = &mainDesktop;
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (shell == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (desktop->mainWindow() == nullptr)
        desktop->attach(window);

    switch (message) {
    case WM_CREATE:
        shell->onCreate();
        return 0;
    case WM_DESTROY:
        shell->onDestroy();
        return 0;
    case WM_SIZE:
        shell->onSize(wParam == SIZE_MINIMIZED);
        return 0;
    case WM_PAINT:
        return onPaint(window);
    case WM_CLOSE:
        shell->onClose();
        return 0;
    case WM_NOTIFY:
        return onNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return onCommand(window, wParam, lParam);
    case WM_DRAWCLIPBOARD:
        shell->onClipboardChange(wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        shell->onChainChange(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case TRAY_CALLBACK_MESSAGE:
        return onTrayMessage(window, wParam, lParam);
    default:
        break;
    }
    if (message == taskbarCreatedMessage && message != 0) {
        shell->onTaskbarCreated();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace vellix
