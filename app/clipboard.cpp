#include "app/clipboard.h"

#include "capture/name_value_block.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vellix {

namespace {

// Another program wrote the block, so its size, not a terminator, bounds every read.
std::int32_t blockSize(HGLOBAL handle) {
    const SIZE_T size = GlobalSize(handle);
    return static_cast<std::int32_t>(std::min<SIZE_T>(size, INT32_MAX));
}

} // namespace

bool readClipboardNumbers(HWND window, CapturedNumberList& out) {
    if (!OpenClipboard(window))
        return false;
    const UINT format = RegisterClipboardFormatA(NAME_VALUE_FORMAT);
    if (format != 0 && IsClipboardFormatAvailable(format)) {
        bool found = false;
        HANDLE handle = GetClipboardData(format);
        if (handle != nullptr) {
            const auto* block = static_cast<const char*>(GlobalLock(handle));
            if (block != nullptr) {
                found = collectLabelledNumbers(parseNameValuePairs(block, blockSize(handle)), out);
                GlobalUnlock(handle);
            }
        }
        CloseClipboard();
        return found;
    }
    CloseClipboard();

    PhoneNumber number;
    if (!readClipboardText(window, number))
        return false;
    out.emplace_back(number.text(), KIND_GENERAL, nullptr);
    return true;
}

bool readClipboardText(HWND window, PhoneNumber& number) {
    if (!OpenClipboard(window))
        return false;
    if (!IsClipboardFormatAvailable(CF_TEXT)) {
        CloseClipboard();
        return false;
    }
    bool taken = false;
    HANDLE handle = GetClipboardData(CF_TEXT);
    const auto* text = handle != nullptr ? static_cast<const char*>(GlobalLock(handle)) : nullptr;
    if (text == nullptr) {
        number.setText(nullptr);
    } else {
        // The text may lack its NUL inside the block. One byte more than the longest
        // accepted text is enough to tell a too-long text from a fitting one.
        char copy[PhoneNumber::MAX_TEXT_LENGTH + 2] = {};
        const std::size_t available = std::min<SIZE_T>(GlobalSize(handle), sizeof copy - 1);
        const void* end = std::memchr(text, '\0', available);
        const std::size_t length =
            end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - text)
                           : available;
        std::memcpy(copy, text, length);
        taken = number.setText(copy);
        GlobalUnlock(handle);
    }
    CloseClipboard();
    return taken;
}

} // namespace vellix
