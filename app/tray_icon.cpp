#include "app/tray_icon.h"

#include "res/resource.h"

#include <shellapi.h>

namespace vellix {

// A message of the program's own, clear of the system's.
static_assert(TRAY_CALLBACK_MESSAGE == WM_USER + 1);

namespace {

// The first layout of the record carries a tip of this many bytes, terminator included.
constexpr int TIP_CAPACITY = 64;

NOTIFYICONDATAA trayIconRecord(HWND window, UINT flags) {
    NOTIFYICONDATAA record = {};
    // The first layout of the record, which every version of the shell takes.
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = TRAY_ICON_ID;
    record.uFlags = flags;
    return record;
}

} // namespace

TrayIcon::TrayIcon(HINSTANCE instance)
    : instance_(instance),
      icon_(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELLIX_SMALL), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0))) {}

void TrayIcon::add(HWND window) {
    window_ = window;
    NOTIFYICONDATAA record = trayIconRecord(window_, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    record.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    record.hIcon = icon_.get();
    LoadStringA(instance_, IDS_TRAY_TIP, record.szTip, TIP_CAPACITY);
    Shell_NotifyIconA(NIM_ADD, &record);
}

void TrayIcon::remove() {
    if (window_ == nullptr)
        return;
    NOTIFYICONDATAA record = trayIconRecord(window_, NIF_TIP);
    Shell_NotifyIconA(NIM_DELETE, &record);
    window_ = nullptr;
}

} // namespace vellix
