#pragma once

#include "win32/scoped_handles.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

namespace vellix {

// The controls of the strip across the top of the main window, and what they show at the
// window's display scale.
struct ToolbarStrip {
    HWND toolbar = nullptr;
    HWND numberBox = nullptr;
    HWND dialButton = nullptr;
    int dpi = 96;
    ScopedFont font;
    // The pictures of the number kinds, which the toolbar shows but does not own.
    ScopedImageList kindImages;
};

// The toolbar with its hidden number button, then the number box and the Dial button
// moved into it, laid out for the main window's scale, which fits around them.
ToolbarStrip buildToolbarStrip(HWND mainWindow);

// One number: the number button hidden, the box wide.
void showSingleNumberLayout(ToolbarStrip& strip);
// Several numbers: the number button shown with the kind's image and the label as its
// tooltip, the box narrower. The box ends where the Dial button begins in both layouts.
void showSeveralNumbersLayout(ToolbarStrip& strip, std::int32_t kind, const char* label);
void setNumberButtonImage(HWND toolbar, std::int32_t kind);

// Lays the strip and its window out anew for another display scale.
void scaleToolbarStrip(ToolbarStrip& strip, int dpi);

} // namespace vellix
