#pragma once

#include <cstddef>

namespace vellix {

// A telephone number as it was given and in its digit form, the number as readNumber reads
// it: the dialable characters only, one space between groups, any extension left out. A
// fixed-size value, copied whole.
class PhoneNumber {
public:
    static constexpr std::size_t CAPACITY = 128;
    // Texts of 24 characters or more are refused whole, never cut.
    static constexpr std::size_t MAX_TEXT_LENGTH = 23;

    PhoneNumber() = default;
    // Takes the text when setText accepts it; otherwise the value stays empty.
    explicit PhoneNumber(const char* text);

    // Null empties the value and returns false. An empty text, or one longer than
    // MAX_TEXT_LENGTH, returns false and leaves the value as it was.
    bool setText(const char* text);

    const char* text() const { return text_; }
    const char* digitForm() const { return digitForm_; }

private:
    char text_[CAPACITY] = {};
    char digitForm_[CAPACITY] = {};
};

// The digit form of a sorts after that of b in unsigned byte order.
bool digitFormGreater(const PhoneNumber& a, const PhoneNumber& b);

// Whole leading groups the two digit forms share, each followed by a common space or
// the common end; a digit form shares all its groups with itself (an empty one: 1).
int countSharedLeadingGroups(const PhoneNumber& a, const PhoneNumber& b);

} // namespace vellix
