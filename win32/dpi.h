#pragma once

// The display scale of a window, and what is measured for it. Each call falls back to the
// system's one scale where Windows predates per-monitor scaling.

#include "win32/scoped_handles.h"

#include <windows.h>

namespace vellix {

int dpiOfWindow(HWND window);
int systemMetricForDpi(int index, int dpi);
// The font of message boxes and dialogs, at the scale.
ScopedFont createMessageFont(int dpi);
// The outer size of a window whose client area is the rectangle, at the scale.
RECT outerRectForDpi(const RECT& client, DWORD style, DWORD exStyle, int dpi);
// Leaves a dialog's layout at a change of scale to the dialog itself, which handles
// WM_DPICHANGED, instead of having the system scale its controls as well.
void keepDialogLayoutOwn(HWND dialog);
// The icon resource at a size of the caller's choosing: its image of that size where it has
// one.
ScopedIcon loadIconAtSize(HINSTANCE instance, int iconId, int size);

// The icon's shape in one colour: its own transparency where it has some, else its mask.
// Null when the icon cannot be read.
ScopedIcon silhouetteOf(HICON icon, int size, COLORREF color);

// Whether the user chose a high-contrast theme.
bool isHighContrast();
// A picture of the program's (a button's, a number kind's) at a size: the icon resource, or
// under high contrast its shape in the theme's button-text colour, as the system draws its own
// glyphs there.
ScopedIcon loadPictureAtSize(HINSTANCE instance, int iconId, int size);

} // namespace vellix
