#include "win32/clipboard.h"

#include "capture/copied_text.h"
#include "capture/name_value_block.h"
#include "capture/number_finder.h"
#include "shell/clipboard_marks.h"
#include "win32/scoped_handles.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace vellix {

namespace {

// Another program wrote the block, so its size, not a terminator, bounds every read.
std::int32_t blockSize(const ScopedGlobalLock& block) {
    return static_cast<std::int32_t>(std::min<SIZE_T>(block.size(), INT32_MAX));
}

bool readBlockNumbers(UINT format, CapturedNumberList& out) {
    const ScopedGlobalLock block(GetClipboardData(format));
    if (block.bytes() == nullptr)
        return false;
    return collectLabelledNumbers(parseNameValuePairs(block.bytes(), blockSize(block)), out);
}

// The clipboard's Unicode text in the ANSI code page, its dashes and blanks as the hyphen and
// space every code page has. No more is read than the search looks at.
std::string foldedText(const ScopedGlobalLock& block) {
    const auto* units = reinterpret_cast<const wchar_t*>(block.bytes());
    const std::size_t available =
        std::min<SIZE_T>(block.size() / sizeof(wchar_t), SEARCHED_TEXT_LIMIT);
    std::wstring text;
    for (std::size_t i = 0; i < available && units[i] != L'\0'; ++i)
        text += static_cast<wchar_t>(foldNumberPunctuation(static_cast<char16_t>(units[i])));
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, converted.data(), bytes, nullptr,
                            nullptr);
    return converted;
}

// The text format the copying program put there: the system makes the other one on request,
// and Wine keeps each copy it makes in the reading program's heap for good.
UINT ownTextFormat() {
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (format == CF_UNICODETEXT || format == CF_TEXT)
            return format;
    }
    return 0;
}

bool hasFormat(const char* name) {
    const UINT format = RegisterClipboardFormatA(name);
    return format != 0 && IsClipboardFormatAvailable(format);
}

ClipboardMarks readMarks() {
    ClipboardMarks marks;
    marks.excludeFromMonitors = hasFormat(EXCLUDE_FROM_MONITORS_FORMAT);
    marks.viewerIgnore = hasFormat(VIEWER_IGNORE_FORMAT);
    marks.historyFormat = hasFormat(HISTORY_FORMAT);
    if (marks.historyFormat) {
        const ScopedGlobalLock value(GetClipboardData(RegisterClipboardFormatA(HISTORY_FORMAT)));
        marks.historyReadable = value.bytes() != nullptr && value.size() >= sizeof(DWORD);
        if (marks.historyReadable)
            std::memcpy(&marks.historyValue, value.bytes(), sizeof(DWORD));
    }
    return marks;
}

ClipboardRead readOpenClipboard(CapturedNumberList& out, bool findInText) {
    if (isMarkedPrivate(readMarks()))
        return ClipboardRead::NO_NUMBERS;
    const UINT format = RegisterClipboardFormatA(NAME_VALUE_FORMAT);
    if (format != 0 && IsClipboardFormatAvailable(format))
        return readBlockNumbers(format, out) ? ClipboardRead::NUMBERS : ClipboardRead::NO_NUMBERS;
    const UINT textFormat = ownTextFormat();
    if (textFormat == CF_UNICODETEXT) {
        const std::string text = foldedText(ScopedGlobalLock(GetClipboardData(CF_UNICODETEXT)));
        return readCopiedText(text.data(), text.size(), findInText, out)
                   ? ClipboardRead::NUMBERS
                   : ClipboardRead::NO_NUMBERS;
    }
    if (textFormat != CF_TEXT)
        return ClipboardRead::NO_NUMBERS;
    // The text may lack its NUL inside the block, whose size bounds the read.
    const ScopedGlobalLock text(GetClipboardData(CF_TEXT));
    return readCopiedText(text.bytes(), text.size(), findInText, out) ? ClipboardRead::NUMBERS
                                                                      : ClipboardRead::NO_NUMBERS;
}

} // namespace

ClipboardRead readClipboardNumbers(HWND window, CapturedNumberList& out, bool findInText) {
    const ScopedClipboard clipboard(window);
    if (!clipboard.isOpen())
        return ClipboardRead::BUSY;
    // Nobody can change the clipboard while it is open, so this numbers what is read.
    const DWORD sequence = GetClipboardSequenceNumber();
    const ClipboardRead read = readOpenClipboard(out, findInText);
    SetPropA(window, CLIPBOARD_READ_PROPERTY,
             reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(sequence)));
    return read;
}

bool listenToClipboard(HWND window) {
    using AddListener = BOOL(WINAPI*)(HWND);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto add = reinterpret_cast<AddListener>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "AddClipboardFormatListener")));
    return add != nullptr && add(window) != FALSE;
}

void stopListeningToClipboard(HWND window) {
    using RemoveListener = BOOL(WINAPI*)(HWND);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto remove = reinterpret_cast<RemoveListener>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "RemoveClipboardFormatListener")));
    if (remove != nullptr)
        remove(window);
}

} // namespace vellix
