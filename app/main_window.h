#pragma once

#include "app/shell.h"
#include "app/win32_desktop.h"

#include <windows.h>

namespace vellix {

// Hands the main window's procedure the shell and desktop it dispatches to; called before
// the window is created, so that its state exists before its first message.
void connectMainWindow(Shell& shell, Win32Desktop& desktop);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vellix
