#include "win32/clipboard.h"

#include "capture/copied_text.h"
#include "capture/name_value_block.h"
#include "capture/number_finder.h"
#include "shell/clipboard_marks.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vellix {

namespace {

// The copied text in the block: no more than the search looks at, and nothing past the
// block's size or its first NUL.
template <typename Unit> std::basic_string_view<Unit> textIn(const ScopedGlobalLock& block) {
    const auto* units = reinterpret_cast<const Unit*>(block.bytes());
    if (units == nullptr)
        return {};
    const std::size_t available =
        std::min<SIZE_T>(block.size() / sizeof(Unit), SEARCHED_TEXT_LIMIT);
    const std::basic_string_view<Unit> text(units, available);
    return text.substr(0, text.find(Unit{}));
}

// More than any contact holds, notes and all; what lies past it is not converted.
constexpr std::size_t CONTACT_BLOCK_LIMIT = std::size_t{1024} * 1024;

// A contact's block is in the ANSI code page; read in UTF-8, its labels show as written.
bool readBlockNumbers(UINT format, CapturedNumberList& out) {
    const ScopedGlobalLock block(GetClipboardData(format));
    if (block.bytes() == nullptr)
        return false;
    const std::size_t size = std::min<SIZE_T>(block.size(), CONTACT_BLOCK_LIMIT);
    const std::string text = foldedText(wideFromAnsi({block.bytes(), size}));
    return collectLabelledNumbers(
        parseNameValuePairs(text.data(), static_cast<std::int32_t>(text.size())), out);
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
    if (textFormat != CF_UNICODETEXT && textFormat != CF_TEXT)
        return ClipboardRead::NO_NUMBERS;
    const ScopedGlobalLock block(GetClipboardData(textFormat));
    const std::string text = textFormat == CF_UNICODETEXT
                                 ? foldedText(textIn<wchar_t>(block))
                                 : foldedText(wideFromAnsi(textIn<char>(block)));
    return readCopiedText(text.data(), text.size(), findInText, out) ? ClipboardRead::NUMBERS
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
