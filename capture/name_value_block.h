#pragma once

#include "capture/captured_number.h"

#include <cstdint>
#include <vector>

namespace vellix {

// The registered clipboard format under which a contact is copied as a block of
// NUL-terminated strings, field names and values alternating.
constexpr const char* NAME_VALUE_FORMAT = "NameValuePairList";

// One pair of strings inside a block; both point into it and are NUL-terminated there.
struct NameValuePair {
    const char* name;
    const char* value;
};

// Splits a block into its pairs, in block order. The block is untrusted: nothing past
// block + size is read. A last string without its NUL inside the block is dropped, and
// a string left without a partner is ignored. Null, a size of 0 or less, or fewer than
// two strings give no pair.
std::vector<NameValuePair> parseNameValuePairs(const char* block, std::int32_t size);

// The value of the first pair whose name equals name, ASCII letters compared without
// case; null when there is none.
const char* findValue(const std::vector<NameValuePair>& pairs, const char* name);

// Appends one entry per recognised field that holds an acceptable number, in the fixed
// order Work phone, Phone, Cell phone, Home phone, Pager, Fax, whatever the block's
// order. Returns whether anything was appended.
bool collectLabelledNumbers(const std::vector<NameValuePair>& pairs, CapturedNumberList& out);

} // namespace vellix
