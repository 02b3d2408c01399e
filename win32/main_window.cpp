#include "win32/main_window.h"

#include "win32/link_handover.h"
#include "win32/wide_text.h"

#include <commctrl.h>

namespace vellix {

static_assert(MOUSE_LEFT_UP == WM_LBUTTONUP && MOUSE_LEFT_DOUBLE_CLICK == WM_LBUTTONDBLCLK &&
              MOUSE_RIGHT_UP == WM_RBUTTONUP);

namespace {

MainWindow* mainWindowOf(HWND window) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Run elevated, the window would not hear from the user's other programs: the second start
// handing over its link, and Explorer announcing a new taskbar. Windows 7 and later.
void allowMessagesFromUserPrograms(HWND window, UINT taskbarCreated) {
    using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    const auto change = reinterpret_cast<ChangeFilter>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx")));
    if (change == nullptr)
        return;
    change(window, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    change(window, taskbarCreated, MSGFLT_ALLOW, nullptr);
}

void onNcCreate(HWND window, const CREATESTRUCTW* creation) {
    auto* mainWindow = static_cast<MainWindow*>(creation->lpCreateParams);
    if (mainWindow == nullptr)
        return;
    mainWindow->taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    allowMessagesFromUserPrograms(window, mainWindow->taskbarCreatedMessage);
    mainWindow->desktop.attach(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mainWindow));
}

void onNcDestroy(HWND window, MainWindow& mainWindow) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    mainWindow.desktop.attach(nullptr);
}

LRESULT onPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT onNotify(Shell& shell, const NMHDR* header) {
    if (header->code == static_cast<UINT>(TBN_DROPDOWN))
        shell.onNumberButtonDropDown();
    return 0;
}

LRESULT onCommand(Shell& shell, HWND window, WPARAM wParam, LPARAM lParam) {
    if (shell.onCommand(LOWORD(wParam)))
        return 0;
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

LRESULT onTimer(MainWindow& mainWindow, HWND window, WPARAM timer) {
    if (timer == CLIPBOARD_RETRY_TIMER) {
        // One retry for each one the shell schedules.
        KillTimer(window, timer);
        mainWindow.shell.onClipboardRetry();
    }
    return 0;
}

// The number box is where the keyboard works: activation (after About, or a click on the
// icon) puts the focus back there instead of on the bare window.
LRESULT onActivate(Win32Desktop& desktop, HWND window, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0)
        return DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
    desktop.focusNumberBox();
    return 0;
}

// A link handed over by a second start of the program.
LRESULT onCopyData(Shell& shell, const COPYDATASTRUCT* data) {
    const std::string_view commandLine = handedOverCommandLine(data);
    if (commandLine.empty())
        return FALSE;
    shell.onLink(commandLine);
    return TRUE;
}

// Moved to a display of another scale: laid out for it, where the system suggests.
LRESULT onDpiChanged(Win32Desktop& desktop, HWND window, WPARAM wParam, const RECT& suggested) {
    SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    desktop.scaleTo(LOWORD(wParam));
    return 0;
}

LRESULT onTrayMessage(Shell& shell, HWND window, WPARAM wParam, LPARAM lParam) {
    // The event is the low word; the current notification version puts the icon's id above.
    shell.onTrayMessage(LOWORD(lParam));
    return DefWindowProcW(window, TRAY_CALLBACK_MESSAGE, wParam, lParam);
}

LRESULT dispatch(MainWindow& mainWindow, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Shell& shell = mainWindow.shell;
    switch (message) {
    case WM_CREATE:
        shell.onCreate();
        return 0;
    case WM_DESTROY:
        shell.onDestroy();
        return 0;
    case WM_NCDESTROY:
        onNcDestroy(window, mainWindow);
        break;
    case WM_SIZE:
        shell.onSize(wParam == SIZE_MINIMIZED);
        return 0;
    case WM_PAINT:
        return onPaint(window);
    case WM_CLOSE:
        shell.onClose();
        return 0;
    case WM_NOTIFY:
        return onNotify(shell, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return onCommand(shell, window, wParam, lParam);
    case WM_TIMER:
        return onTimer(mainWindow, window, wParam);
    case WM_CLIPBOARDUPDATE:
        shell.onClipboardUpdate();
        return 0;
    case WM_DRAWCLIPBOARD:
        shell.onClipboardChange(wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        shell.onChainChange(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_ACTIVATE:
        return onActivate(mainWindow.desktop, window, wParam, lParam);
    case WM_COPYDATA:
        return onCopyData(shell, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_QUERYENDSESSION:
        return shell.onQueryEndSession((lParam & ENDSESSION_CLOSEAPP) != 0) ? TRUE : FALSE;
    case WM_ENDSESSION:
        shell.onEndSession(wParam != FALSE, (lParam & ENDSESSION_CLOSEAPP) != 0);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High contrast switched on or off, or its colours changed.
        mainWindow.desktop.refreshPictures();
        break;
    case WM_DPICHANGED:
        return onDpiChanged(mainWindow.desktop, window, wParam,
                            *reinterpret_cast<const RECT*>(lParam));
    case TRAY_CALLBACK_MESSAGE:
        return onTrayMessage(shell, window, wParam, lParam);
    default:
        if (message == mainWindow.taskbarCreatedMessage && message != 0) {
            shell.onTaskbarCreated();
            return 0;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HWND createMainWindow(HINSTANCE instance, const char* className, const char* title,
                      MainWindow& mainWindow) {
    // A wide window: what reaches it and its children is never squeezed into the code page.
    return CreateWindowExW(0, wideText(className).c_str(), wideText(title).c_str(),
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                           CW_USEDEFAULT, 216, 56, nullptr, nullptr, instance, &mainWindow);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        onNcCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    // Messages before WM_NCCREATE, such as WM_GETMINMAXINFO, find no state yet.
    MainWindow* mainWindow = mainWindowOf(window);
    if (mainWindow == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return dispatch(*mainWindow, window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's code. Each step replaces state only once its
        // result is complete, so what failed (most likely an allocation) leaves the state as
        // it was, and the program goes on.
        return 0;
    }
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
