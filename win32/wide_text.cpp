#include "win32/wide_text.h"

#include "capture/unicode_text.h"

#include <windows.h>

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
