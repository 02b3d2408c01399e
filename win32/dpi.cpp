#include "win32/dpi.h"

#include "win32/display_scale.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

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

bool isHighContrast() {
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

namespace {

// The 32-bit pixels of a bitmap of size by size, top row first.
std::vector<std::uint32_t> pixelsOf(HBITMAP bitmap, int size) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) *
                                      static_cast<std::size_t>(size));
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (bitmap == nullptr || !dc ||
        GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(size), pixels.data(), &format,
                  DIB_RGB_COLORS) == 0)
        pixels.clear();
    return pixels;
}

} // namespace

ScopedIcon silhouetteOf(HICON icon, int size, COLORREF color) {
    ICONINFO parts = {};
    if (icon == nullptr || GetIconInfo(icon, &parts) == FALSE)
        return {};
    const ScopedBitmap colorPart(parts.hbmColor);
    const ScopedBitmap maskPart(parts.hbmMask);
    std::vector<std::uint32_t> pixels = pixelsOf(colorPart.get(), size);
    const std::vector<std::uint32_t> mask = pixelsOf(maskPart.get(), size);
    if (pixels.empty() || mask.size() != pixels.size())
        return {};
    const bool alpha =
        std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
    const std::uint32_t rgb = (static_cast<std::uint32_t>(GetRValue(color)) << 16) |
                              (static_cast<std::uint32_t>(GetGValue(color)) << 8) |
                              GetBValue(color);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t opacity = alpha ? pixels[i] >> 24 : (mask[i] & 0xFFFFFF) == 0 ? 255 : 0;
        pixels[i] = (opacity << 24) | rgb;
    }
    const ScopedBitmap shape(CreateBitmap(size, size, 1, 32, pixels.data()));
    // Transparency comes from the alpha channel; the mask is all drawn.
    const ScopedBitmap noMask(CreateBitmap(size, size, 1, 1, nullptr));
    ICONINFO made = {TRUE, 0, 0, noMask.get(), shape.get()};
    return ScopedIcon(shape && noMask ? CreateIconIndirect(&made) : nullptr);
}

ScopedIcon loadPictureAtSize(HINSTANCE instance, int iconId, int size) {
    ScopedIcon icon = loadIconAtSize(instance, iconId, size);
    if (!isHighContrast())
        return icon;
    ScopedIcon shape = silhouetteOf(icon.get(), size, GetSysColor(COLOR_BTNTEXT));
    return shape ? std::move(shape) : std::move(icon);
}

} // namespace vellix
