#include "capture/captured_number.h"

#include <cstring>

namespace vellix {

CapturedNumber::CapturedNumber(const char* text, std::int32_t kind, const char* label)
    : kind_(kind), number_(text) {
    const char* source = label == nullptr ? "Default" : label;
    std::size_t length = 0;
    while (length + 1 < LABEL_CAPACITY && source[length] != '\0')
        ++length;
    std::memcpy(label_, source, length);
    label_[length] = '\0';
}

} // namespace vellix
