#include "capture/digit_string.h"

#include <cstring>

namespace vellix {

namespace {

int length(const char* s) {
    return s == nullptr ? 0 : static_cast<int>(std::strlen(s));
}

} // namespace

int countSharedDialableTail(const char* a, const char* b) {
    int i = length(a) - 1;
    int j = length(b) - 1;
    int count = 0;
    for (;;) {
        while (i >= 0 && !isDialable(a[i]))
            --i;
        while (j >= 0 && !isDialable(b[j]))
            --j;
        if (i < 0 || j < 0 || a[i] != b[j])
            return count;
        ++count;
        --i;
        --j;
    }
}

int tailStart(const char* s, int n) {
    if (s == nullptr)
        return -1;
    const int len = length(s);
    if (n <= 0)
        return len;
    int counted = 0;
    for (int i = len - 1; i >= 0; --i) {
        if (isPatternChar(s[i]) && ++counted == n)
            return i;
    }
    return -1;
}

void trimTrailingSeparators(char* s) {
    if (s == nullptr)
        return;
    std::size_t n = std::strlen(s);
    while (n > 0 && !isPatternChar(s[n - 1]))
        s[--n] = '\0';
}

bool patternCharMatches(char p, char c) {
    if (p == WILDCARD)
        return isPatternChar(c) && c != INTERNATIONAL_PREFIX;
    if (isDialable(p))
        return c == p;
    return !isPatternChar(c);
}

namespace {

// Whether byte c of a replacement copies byte p of a pattern: a pattern character only the
// same character ('x' only 'x'), a separator any separator. A digit facing 'x' is a digit
// the user typed, not one taken from the number.
bool copiesPatternChar(char p, char c) {
    if (isPatternChar(p))
        return c == p;
    return !isPatternChar(c);
}

// Walks pattern and s backwards from their ends while s copies the pattern. Returns the
// positions walked; patternChars receives how many of them hold a pattern character in s.
int walkMatchingTail(const char* pattern, const char* s, int& patternChars) {
    int i = length(pattern) - 1;
    int j = length(s) - 1;
    int walked = 0;
    patternChars = 0;
    for (; i >= 0 && j >= 0 && copiesPatternChar(pattern[i], s[j]); --i, --j) {
        ++walked;
        if (isPatternChar(s[j]))
            ++patternChars;
    }
    return walked;
}

} // namespace

int countMatchingTail(const char* pattern, const char* s) {
    int patternChars = 0;
    return walkMatchingTail(pattern, s, patternChars);
}

int countMatchingTailPatternChars(const char* pattern, const char* s) {
    int patternChars = 0;
    walkMatchingTail(pattern, s, patternChars);
    return patternChars;
}

bool matchesPattern(const char* pattern, const char* s) {
    const int len = length(pattern);
    if (len != length(s))
        return false;
    for (int i = 0; i < len; ++i) {
        if (!patternCharMatches(pattern[i], s[i]))
            return false;
    }
    return true;
}

namespace {

bool startsGroup(const char* s, int i) {
    return isPatternChar(s[i]) && (i == 0 || !isPatternChar(s[i - 1]));
}

} // namespace

int countGroups(const char* s) {
    int groups = 0;
    for (int i = 0, len = length(s); i < len; ++i) {
        if (startsGroup(s, i))
            ++groups;
    }
    return groups;
}

int countGroupsFromFirstWildcard(const char* s) {
    int result = countGroups(s);
    for (int i = 0, len = length(s); i < len; ++i) {
        if (i > 0 && startsGroup(s, i))
            --result;
        if (s[i] == WILDCARD)
            return result;
    }
    return 0;
}

int compareShape(const char* a, const char* b) {
    const int lenA = length(a);
    const int lenB = length(b);
    if (lenA != lenB)
        return lenA > lenB ? 1 : -1;
    for (int i = 0; i < lenA; ++i) {
        const bool patternA = isPatternChar(a[i]);
        if (patternA != isPatternChar(b[i]))
            return patternA ? 1 : -1;
    }
    return 0;
}

} // namespace vellix
