#pragma once

#include "win32/toolbar_strip.h"

#include <windows.h>

namespace vellix {

// The main window's keys, taken from the message loop before the focused control sees them:
// Enter in the number box (or on Dial) dials as Dial does, once however long it is held;
// Escape hides the window as the close box does; Tab moves between the number box and Dial.
// While the box's list is open, the box keeps Enter and Escape to close it. True when the
// key was taken.
bool takeMainWindowKey(HWND mainWindow, const ToolbarStrip& strip, const MSG& message);

} // namespace vellix
