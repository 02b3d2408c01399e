#include "app/clipboard.h"

#include "app/scoped_handles.h"
#include "capture/name_value_block.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

} // namespace

ClipboardRead readClipboardNumbers(HWND window, CapturedNumberList& out) {
    const ScopedClipboard clipboard(window);
    if (!clipboard.isOpen())
        return ClipboardRead::BUSY;
    const UINT format = RegisterClipboardFormatA(NAME_VALUE_FORMAT);
    if (format != 0 && IsClipboardFormatAvailable(format))
        return readBlockNumbers(format, out) ? ClipboardRead::NUMBERS : ClipboardRead::NO_NUMBERS;

    PhoneNumber number;
    if (!readClipboardText(number))
        return ClipboardRead::NO_NUMBERS;
    out.emplace_back(number.text(), KIND_GENERAL, nullptr);
    return ClipboardRead::NUMBERS;
}

bool readClipboardText(PhoneNumber& number) {
    if (!IsClipboardFormatAvailable(CF_TEXT))
        return false;
    const ScopedGlobalLock text(GetClipboardData(CF_TEXT));
    if (text.bytes() == nullptr)
        return number.setText(nullptr);
    // The text may lack its NUL inside the block. One byte more than the longest accepted
    // text is enough to tell a too-long text from a fitting one.
    char copy[PhoneNumber::MAX_TEXT_LENGTH + 2] = {};
    const std::size_t available = std::min<SIZE_T>(text.size(), sizeof copy - 1);
    const void* end = std::memchr(text.bytes(), '\0', available);
    const std::size_t length =
        end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - text.bytes())
                       : available;
    std::memcpy(copy, text.bytes(), length);
    return number.setText(copy);
}

} // namespace vellix
