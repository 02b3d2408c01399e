#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

namespace vellix {

// The controls of the strip across the top of the main window.
struct ToolbarStrip {
    HWND toolbar = nullptr;
    HWND numberBox = nullptr;
    HWND dialButton = nullptr;
};

// A flat toolbar with tooltips, 16 by 16 buttons and the images of bitmap bitmapId.
HWND createToolbarStrip(HWND owner, const TBBUTTON* buttons, int buttonCount, int bitmapId,
                        DWORD extraStyle);

// The toolbar with its hidden number button, then the number box and the Dial button
// moved into it.
ToolbarStrip buildToolbarStrip(HWND mainWindow);

// One number: the number button hidden, the box wide.
void showSingleNumberLayout(HWND toolbar, HWND numberBox);
// Several numbers: the number button shown with the kind's image and the label as its
// tooltip, the box narrower. The box ends where the Dial button begins in both layouts.
void showSeveralNumbersLayout(HWND toolbar, HWND numberBox, std::int32_t kind, const char* label);
void setNumberButtonImage(HWND toolbar, std::int32_t kind);

} // namespace vellix
