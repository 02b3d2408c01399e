#pragma once

// What the parts of the Dialing Rules dialog share: the record bound to the open dialog's
// window, and the ways to it.

#include "rules_dialog/rules_dialog_layout.h"
#include "rules_dialog/rules_dialog_state.h"
#include "win32/scoped_handles.h"

#include <windows.h>

namespace vellix {

constexpr int SCROLL_BAR_ID = 142;

// What the open dialog keeps, bound to its window: the rows, and the pictures and the
// tooltip that all rows share, so that a row costs no more than its controls.
struct RulesDialogWindow {
    RulesDialogState state;
    ScopedImageList confirmImages;
    ScopedImageList deleteImages;
    // Owned by the dialog, which destroys it with itself.
    HWND tooltip = nullptr;
};

inline HWND windowOf(WindowHandle handle) {
    return static_cast<HWND>(handle);
}

inline HINSTANCE instanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

inline RulesDialogWindow* boundTo(HWND dialog) {
    return reinterpret_cast<RulesDialogWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

inline RulesDialogState* stateOf(HWND dialog) {
    RulesDialogWindow* bound = boundTo(dialog);
    return bound != nullptr ? &bound->state : nullptr;
}

inline void moveControl(HWND control, const PixelRect& place) {
    MoveWindow(control, place.x, place.y, place.width, place.height, TRUE);
}

} // namespace vellix
