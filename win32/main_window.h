#pragma once

#include "shell/shell.h"
#include "win32/win32_desktop.h"

#include <windows.h>

namespace vellix {

// What the main window dispatches to. It is the window's creation parameter and is bound to
// the window itself at WM_NCCREATE, so it must outlive the window.
struct MainWindow {
    Shell& shell;
    Win32Desktop& desktop;
    // Sent to every top-level window when the shell's taskbar is re-created.
    UINT taskbarCreatedMessage = 0;
};

// The main window of class className, bound to mainWindow; null when it cannot be created.
HWND createMainWindow(HINSTANCE instance, const char* className, const char* title,
                      MainWindow& mainWindow);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vellix
