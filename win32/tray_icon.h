#pragma once

#include "win32/scoped_handles.h"

#include <windows.h>

namespace vellix {

// The program's icon in the notification area. It owns the picture it shows, loaded at the
// system's small-icon size, for as long as it lives, and keeps its tip for when the icon is
// added again.
class TrayIcon {
public:
    explicit TrayIcon(HINSTANCE instance);

    // Shows the icon for window, which receives TRAY_CALLBACK_MESSAGE on mouse activity;
    // again after the shell's taskbar was re-created. True when the icon speaks the current
    // notification version, which announces selections with the mouse or the keyboard and
    // menu requests (the event in the low word of lParam).
    bool add(HWND window);
    void remove();
    // The tip becomes string tipId of the string table.
    void setTip(UINT tipId);
    // A balloon with a warning over the icon, which the shell closes after a while.
    void showWarning(const char* title, const char* text);

private:
    HINSTANCE instance_;
    HWND window_ = nullptr;
    ScopedIcon icon_;
    UINT tipId_;
};

} // namespace vellix
