#pragma once

#include "capture/phone_number.h"

#include <cstdint>
#include <vector>

namespace vellix {

// One learning example: a copied number beside the string dialed for it, aligned at the
// tail the two share. The tail starts where a group of the copied number starts: what the
// user dialed in front of it is what the user dials, even where a digit of it happens to
// equal the number's ("412 268 1234" dialed "8 1234" keeps "1234" behind "8 ").
struct NumberPair {
    PhoneNumber copied;
    PhoneNumber dialed;
    // The dialed digit form in front of the shared tail, with the space before the tail.
    char dialPrefix[PhoneNumber::CAPACITY] = {};
    // Dialable characters the two digit forms share at their ends, in whole groups of the
    // copied number.
    std::int32_t sharedDigits = 0;

    // Sets both numbers (a refused text leaves that number as it was) and aligns them.
    NumberPair& setNumbers(const char* copiedText, const char* dialedText);

    // At least four shared dialable characters: the dialed string is this number.
    bool isLearnable() const { return sharedDigits > 3; }
};

// The dialing history, in the order the pairs were dialed.
using PairList = std::vector<NumberPair>;

// Three-way order that is 0 exactly for pairs calling for the same rewriting: copied
// numbers of one shape, the same dial prefix and the same number of kept characters.
int compareRewriteKind(const NumberPair& a, const NumberPair& b);

// Greater-than predicate over compareRewriteKind, for descending sorts.
bool rewriteKindGreater(const NumberPair& a, const NumberPair& b);

} // namespace vellix
