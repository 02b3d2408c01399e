#include "capture/copied_text.h"

#include "capture/digit_string.h"
#include "capture/number_finder.h"

#include <algorithm>
#include <cstring>

namespace vellix {

bool readCopiedText(const char* text, std::size_t size, bool findInText, CapturedNumberList& out) {
    if (text == nullptr)
        return false;
    // One byte more than the longest number's text tells a longer text from a fitting one.
    char whole[PhoneNumber::MAX_TEXT_LENGTH + 2] = {};
    const std::size_t available = std::min(size, sizeof whole - 1);
    const void* nul = std::memchr(text, '\0', available);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : available;
    if (length > PhoneNumber::MAX_TEXT_LENGTH)
        return findInText && findNumbers(text, size, out);
    std::memcpy(whole, text, length);
    // A copied word or a few blanks is no number, though it fits a number's text.
    if (std::none_of(whole, whole + length, isDigit))
        return false;
    out.emplace_back(whole, KIND_GENERAL, nullptr);
    return true;
}

} // namespace vellix
