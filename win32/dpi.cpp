#include "win32/dpi.h"

#include "win32/display_scale.h"

namespace vellix {

namespace {

// Looked up, since they came with Windows 10; this program runs on older versions too.
template <typename Function> Function user32Function(const char* name) {
    static const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : STANDARD_DPI;
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : STANDARD_DPI;
}

} // namespace

int dpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = getDpiForWindow != nullptr ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : screenDpi();
}

int systemMetricForDpi(int index, int dpi) {
    using Function = int(WINAPI*)(int, UINT);
    static const auto forDpi = user32Function<Function>("GetSystemMetricsForDpi");
    if (forDpi != nullptr)
        return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, screenDpi());
}

ScopedFont createMessageFont(int dpi) {
    // Wide only: there is no ANSI form taking a scale.
    using Function = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto forDpi = user32Function<Function>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                    static_cast<UINT>(dpi)) != FALSE)
        return ScopedFont(CreateFontIndirectW(&metrics.lfMessageFont));
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) == FALSE)
        return ScopedFont(CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Shell Dlg"));
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, screenDpi());
    return ScopedFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

RECT outerRectForDpi(const RECT& client, DWORD style, DWORD exStyle, int dpi) {
    using Function = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto forDpi = user32Function<Function>("AdjustWindowRectExForDpi");
    RECT outer = client;
    if (forDpi == nullptr || forDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi)) == FALSE)
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return outer;
}

void keepDialogLayoutOwn(HWND dialog) {
    using Function = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehavior = user32Function<Function>("SetDialogDpiChangeBehavior");
    // DDC_DISABLE_ALL, for both the mask and the values.
    constexpr int DISABLE_ALL = 1;
    if (setBehavior != nullptr)
        setBehavior(dialog, DISABLE_ALL, DISABLE_ALL);
}

ScopedIcon loadIconAtSize(HINSTANCE instance, int iconId, int size) {
    return ScopedIcon(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

} // namespace vellix
