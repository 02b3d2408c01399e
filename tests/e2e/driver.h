// What the driver's commands share: finding the program's windows, reading them, reporting.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vellix::e2e {

// The main window, found by its class inside the program's virtual desktop.
HWND mainWindow();
HWND numberBoxOf(HWND main);
HWND dialButtonOf(HWND main);
std::string windowText(HWND window);
// Item index of the number box, read across the process boundary.
std::string boxItem(HWND box, int index);
DWORD processOf(HWND window);
// The clipboard sequence number of what the program read last, recorded on its window.
DWORD clipboardTaken(HWND main);
// A message-only window of its own class, to stand in the clipboard-viewer chain.
HWND createViewerWindow(WNDPROC procedure, const char* className);
// Prints "ok: what" or "FAILED: what"; returns the exit code for it.
int report(bool held, const std::string& what);

// soak CHANGES WARM-UP: the clipboard soak, see soak.cpp.
int soak(const std::vector<std::string>& args);

} // namespace vellix::e2e
