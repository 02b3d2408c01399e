#pragma once

#include "capture/phone_number.h"

#include <cstdint>
#include <vector>

namespace vellix {

// Kinds of line; each is also the index of the toolbar image shown for it.
constexpr std::int32_t KIND_GENERAL = 0;
constexpr std::int32_t KIND_HOME = 1;
constexpr std::int32_t KIND_CELL = 2;

// A number found on the clipboard with the name of the field it came from.
class CapturedNumber {
public:
    static constexpr std::size_t LABEL_CAPACITY = 128;

    // A null label stands for plain clipboard text and reads "Default"; a refused
    // number text leaves the number empty. A label too long for the field is cut after a whole
    // UTF-8 character.
    CapturedNumber(const char* text, std::int32_t kind, const char* label);

    const char* label() const { return label_; }
    std::int32_t kind() const { return kind_; }
    const PhoneNumber& number() const { return number_; }

private:
    char label_[LABEL_CAPACITY] = {};
    std::int32_t kind_ = KIND_GENERAL;
    PhoneNumber number_;
};

// The numbers of one capture, in the order of the number menu: entry i is offered as
// menu command 0x8000 + i.
using CapturedNumberList = std::vector<CapturedNumber>;

} // namespace vellix
