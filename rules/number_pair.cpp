#include "rules/number_pair.h"

#include "capture/digit_string.h"

#include <cstring>

namespace vellix {

namespace {

// Of the last n pattern characters of s, the most that start at one of its groups.
int wholeGroupsOfTail(const char* s, int n) {
    int counted = 0;
    int whole = 0;
    for (int i = static_cast<int>(std::strlen(s)) - 1; i >= 0 && counted < n; --i) {
        if (!isPatternChar(s[i]))
            continue;
        ++counted;
        if (i == 0 || !isPatternChar(s[i - 1]))
            whole = counted;
    }
    return whole;
}

} // namespace

NumberPair& NumberPair::setNumbers(const char* copiedText, const char* dialedText) {
    copied.setText(copiedText);
    dialed.setText(dialedText);
    sharedDigits = wholeGroupsOfTail(
        copied.digitForm(), countSharedDialableTail(copied.digitForm(), dialed.digitForm()));
    const int prefixEnd = tailStart(dialed.digitForm(), sharedDigits);
    const auto length = static_cast<std::size_t>(prefixEnd < 0 ? 0 : prefixEnd);
    std::memcpy(dialPrefix, dialed.digitForm(), length);
    dialPrefix[length] = '\0';
    return *this;
}

int compareRewriteKind(const NumberPair& a, const NumberPair& b) {
    const int shape = compareShape(a.copied.digitForm(), b.copied.digitForm());
    if (shape != 0)
        return shape;
    const int prefix = std::strcmp(a.dialPrefix, b.dialPrefix);
    if (prefix != 0)
        return prefix > 0 ? 1 : -1;
    return a.sharedDigits - b.sharedDigits;
}

bool rewriteKindGreater(const NumberPair& a, const NumberPair& b) {
    return compareRewriteKind(a, b) > 0;
}

} // namespace vellix
