#pragma once

// The pictures of the rows' buttons and the tooltip they share.

#include <windows.h>

#include <commctrl.h>

namespace vellix {

// One icon resource, at a size it is drawn at, for every state of a push button; the caller
// destroys the list.
HIMAGELIST loadButtonImages(HINSTANCE instance, int iconId, int size);
// Shows the pictures on a push button in place of its text; the button does not own them.
void setButtonImages(HWND button, HIMAGELIST images);
// A tooltip window for the controls of the owner; null when it cannot be created.
HWND createTooltip(HWND owner);
// Shows the text over the whole control; false when there is no tooltip or it refused.
bool addTool(HWND tooltip, HWND control, const char* text);

} // namespace vellix
