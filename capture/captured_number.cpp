#include "capture/captured_number.h"

#include "capture/unicode_text.h"

#include <cstring>

namespace vellix {

CapturedNumber::CapturedNumber(const char* text, std::int32_t kind, const char* label)
    : kind_(kind), number_(text) {
    const char* source = label == nullptr ? "Default" : label;
    std::size_t length = 0;
    while (length + 1 < LABEL_CAPACITY && source[length] != '\0')
        ++length;
    // A cut label ends on a whole character.
    if (source[length] != '\0')
        length = wholeCharactersIn(source, length);
    std::memcpy(label_, source, length);
    label_[length] = '\0';
}

} // namespace vellix
