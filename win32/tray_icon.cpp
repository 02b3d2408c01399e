#include "win32/tray_icon.h"

#include "res/resource.h"
#include "win32/wide_text.h"

#include <shellapi.h>

#include <cstddef>

namespace vellix {

// A message of the program's own, clear of the system's.
static_assert(TRAY_CALLBACK_MESSAGE == WM_USER + 1);

namespace {

// The first layout of the record carries a tip of this many characters, terminator included.
constexpr int TIP_CAPACITY = 64;
// How long a balloon stays, where the shell lets the program choose.
constexpr UINT BALLOON_MS = 15000;

// The first layout of the record, which every version of the shell takes; balloons need the
// second.
NOTIFYICONDATAW trayIconRecord(HWND window, UINT flags, DWORD size = NOTIFYICONDATAW_V1_SIZE) {
    NOTIFYICONDATAW record = {};
    record.cbSize = size;
    record.hWnd = window;
    record.uID = TRAY_ICON_ID;
    record.uFlags = flags;
    return record;
}

// Copies text, cut to fit, into a field of the record.
template <std::size_t N> void copyField(wchar_t (&field)[N], const char* text) {
    lstrcpynW(field, wideText(text).c_str(), static_cast<int>(N));
}

} // namespace

TrayIcon::TrayIcon(HINSTANCE instance)
    : instance_(instance),
      icon_(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELLIX), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0))),
      tipId_(IDS_TRAY_TIP) {}

bool TrayIcon::add(HWND window) {
    window_ = window;
    NOTIFYICONDATAW record = trayIconRecord(window_, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    record.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    record.hIcon = icon_.get();
    LoadStringW(instance_, tipId_, record.szTip, TIP_CAPACITY);
    if (!Shell_NotifyIconW(NIM_ADD, &record))
        return false;
    // Enter and Space on the icon then select it, and the menu key opens its menu.
    NOTIFYICONDATAW version = trayIconRecord(window_, 0, NOTIFYICONDATAW_V2_SIZE);
    version.uVersion = NOTIFYICON_VERSION_4;
    return Shell_NotifyIconW(NIM_SETVERSION, &version) != FALSE;
}

void TrayIcon::remove() {
    if (window_ == nullptr)
        return;
    NOTIFYICONDATAW record = trayIconRecord(window_, NIF_TIP);
    Shell_NotifyIconW(NIM_DELETE, &record);
    window_ = nullptr;
}

void TrayIcon::setTip(UINT tipId) {
    tipId_ = tipId;
    if (window_ == nullptr)
        return;
    NOTIFYICONDATAW record = trayIconRecord(window_, NIF_TIP);
    LoadStringW(instance_, tipId_, record.szTip, TIP_CAPACITY);
    Shell_NotifyIconW(NIM_MODIFY, &record);
}

void TrayIcon::showWarning(const char* title, const char* text) {
    if (window_ == nullptr)
        return;
    NOTIFYICONDATAW record = trayIconRecord(window_, NIF_INFO, NOTIFYICONDATAW_V2_SIZE);
    copyField(record.szInfoTitle, title);
    copyField(record.szInfo, text);
    record.uTimeout = BALLOON_MS;
    record.dwInfoFlags = NIIF_WARNING;
    Shell_NotifyIconW(NIM_MODIFY, &record);
}

} // namespace vellix
