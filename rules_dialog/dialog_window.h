#pragma once

// What the parts of the Dialing Rules dialog share: the record bound to the open dialog's
// window, and the ways to it.

#include "rules_dialog/rules_dialog_layout.h"
#include "rules_dialog/rules_dialog_state.h"
#include "win32/display_scale.h"
#include "win32/scoped_handles.h"

#include <windows.h>

#include <oleacc.h>

namespace vellix {

constexpr int SCROLL_BAR_ID = 142;

// What the open dialog keeps, bound to its window: the rows, and the pictures and the
// tooltip that all rows share, so that a row costs no more than its controls.
struct RulesDialogWindow {
    RulesDialogState state;
    // The display scale the dialog is laid out for, and the font at that scale that all its
    // controls show.
    int dpi = STANDARD_DPI;
    ScopedFont font;
    ScopedImageList confirmImages;
    ScopedImageList deleteImages;
    // Owned by the dialog, which destroys it with itself.
    HWND tooltip = nullptr;
    // Names controls that show no text of their own for screen readers; null where the
    // system lacks the service.
    ScopedComInterface<IAccPropServices> accessibility;
};

inline HWND windowOf(WindowHandle handle) {
    return static_cast<HWND>(handle);
}

inline HINSTANCE instanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

inline RulesDialogWindow* boundTo(HWND dialog) {
    return reinterpret_cast<RulesDialogWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

inline RulesDialogState* stateOf(HWND dialog) {
    RulesDialogWindow* bound = boundTo(dialog);
    return bound != nullptr ? &bound->state : nullptr;
}

inline int dpiOf(HWND dialog) {
    const RulesDialogWindow* bound = boundTo(dialog);
    return bound != nullptr ? bound->dpi : STANDARD_DPI;
}

inline WPARAM fontOf(HWND dialog) {
    const RulesDialogWindow* bound = boundTo(dialog);
    return reinterpret_cast<WPARAM>(bound != nullptr ? bound->font.get() : nullptr);
}

// Places a control of the dialog, at the dialog's scale.
inline void moveControl(HWND control, const PixelRect& place) {
    const PixelRect scaled = scaledRect(place, dpiOf(GetParent(control)));
    MoveWindow(control, scaled.x, scaled.y, scaled.width, scaled.height, TRUE);
}

} // namespace vellix
