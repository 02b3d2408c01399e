#include "capture/phone_number.h"

#include "capture/digit_string.h"
#include "capture/number_reading.h"

#include <cstring>

namespace vellix {

static_assert(READING_CAPACITY == PhoneNumber::CAPACITY, "a reading fills a digit form");

PhoneNumber::PhoneNumber(const char* text) {
    setText(text);
}

bool PhoneNumber::setText(const char* text) {
    if (text == nullptr) {
        text_[0] = '\0';
        digitForm_[0] = '\0';
        return false;
    }
    // Looks no further than one byte past the longest accepted text.
    std::size_t length = 0;
    while (length <= MAX_TEXT_LENGTH && text[length] != '\0')
        ++length;
    if (length == 0 || length > MAX_TEXT_LENGTH)
        return false;
    std::memcpy(text_, text, length + 1);
    // A vanity number's digits are regrouped, which may make its digit form one longer than
    // its text: still well inside the field.
    const NumberReading reading = readNumber(text_);
    std::memcpy(digitForm_, reading.number, sizeof digitForm_);
    return true;
}

bool digitFormGreater(const PhoneNumber& a, const PhoneNumber& b) {
    return std::strcmp(a.digitForm(), b.digitForm()) > 0;
}

int countSharedLeadingGroups(const PhoneNumber& a, const PhoneNumber& b) {
    const char* s = a.digitForm();
    const char* t = b.digitForm();
    int count = 0;
    for (std::size_t i = 0;; ++i) {
        if (s[i] == '\0')
            return t[i] == '\0' ? count + 1 : count;
        if (t[i] == '\0' || s[i] != t[i])
            return count;
        if (!isDialable(s[i]))
            ++count;
    }
}

} // namespace vellix
