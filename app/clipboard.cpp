#include "app/clipboard.h"

#include "app/scoped_handles.h"
#include "capture/copied_text.h"
#include "capture/name_value_block.h"

#include <algorithm>
#include <cstdint>

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

ClipboardRead readClipboardNumbers(HWND window, CapturedNumberList& out, bool findInText) {
    const ScopedClipboard clipboard(window);
    if (!clipboard.isOpen())
        return ClipboardRead::BUSY;
    const UINT format = RegisterClipboardFormatA(NAME_VALUE_FORMAT);
    if (format != 0 && IsClipboardFormatAvailable(format))
        return readBlockNumbers(format, out) ? ClipboardRead::NUMBERS : ClipboardRead::NO_NUMBERS;
    if (!IsClipboardFormatAvailable(CF_TEXT))
        return ClipboardRead::NO_NUMBERS;
    // The text may lack its NUL inside the block, whose size bounds the read.
    const ScopedGlobalLock text(GetClipboardData(CF_TEXT));
    return readCopiedText(text.bytes(), text.size(), findInText, out) ? ClipboardRead::NUMBERS
                                                                      : ClipboardRead::NO_NUMBERS;
}

} // namespace vellix
