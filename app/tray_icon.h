#pragma once

#include "app/scoped_handles.h"

#include <windows.h>

namespace vellix {

// The program's icon in the notification area. It owns the picture it shows, loaded at the
// system's small-icon size, for as long as it lives.
class TrayIcon {
public:
    explicit TrayIcon(HINSTANCE instance);

    // Shows the icon for window, which receives TRAY_CALLBACK_MESSAGE on mouse activity;
    // again after the shell's taskbar was re-created.
    void add(HWND window);
    void remove();

private:
    HINSTANCE instance_;
    HWND window_ = nullptr;
    ScopedIcon icon_;
};

} // namespace vellix
