#include "win32/wide_text.h"

#include "capture/copied_text.h"
#include "capture/unicode_text.h"

#include <algorithm>
#include <climits>

namespace vellix {

// Windows' wide characters are UTF-16 units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring wideText(std::string_view utf8) {
    const std::u16string units = toUtf16(utf8);
    return {reinterpret_cast<const wchar_t*>(units.data()), units.size()};
}

std::string utf8Text(std::wstring_view wide) {
    return toUtf8({reinterpret_cast<const char16_t*>(wide.data()), wide.size()});
}

std::string foldedText(std::wstring_view wide) {
    return foldCopiedText({reinterpret_cast<const char16_t*>(wide.data()), wide.size()});
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(std::max(GetWindowTextLengthW(window), 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(GetWindowTextW(window, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

std::wstring wideFromAnsi(std::string_view ansi) {
    const int length = static_cast<int>(std::min<std::size_t>(ansi.size(), INT_MAX));
    if (length == 0)
        return {};
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(units, 0)), L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), units);
    return wide;
}

} // namespace vellix
