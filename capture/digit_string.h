#pragma once

// The character vocabulary of digit forms and rule patterns, and the string operations
// the rules engine runs on them. Bytes are classified without locale: only '0'..'9' are
// digits, and only lower-case 'x' is a wildcard. Every operation takes NUL-terminated
// strings and allocates nothing.

namespace vellix {

constexpr char WILDCARD = 'x';
// Starts the digit form of a number written with its country code; nowhere else in one.
constexpr char INTERNATIONAL_PREFIX = '+';

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// The characters a wildcard stands for: a '+' is never one of them, so a pattern learned
// from national numbers never takes an international one of the same length.
constexpr bool isKeypadChar(char c) {
    return isDigit(c) || c == '#' || c == '*';
}
constexpr bool isDialable(char c) {
    return isKeypadChar(c) || c == INTERNATIONAL_PREFIX;
}
constexpr bool isPatternChar(char c) {
    return isDialable(c) || c == WILDCARD;
}

// Dialable characters the two strings share at their ends, separators skipped; 0 for null.
int countSharedDialableTail(const char* a, const char* b);

// Index at which the last n pattern characters of s begin: the length of s for n <= 0,
// -1 for null or when s holds fewer than n pattern characters.
int tailStart(const char* s, int n);

// Cuts characters off the end of s until it ends in a pattern character or is empty.
void trimTrailingSeparators(char* s);

// Whether byte c of a string matches byte p of a pattern: 'x' takes any pattern character
// but '+', a dialable character only itself, a separator any separator.
bool patternCharMatches(char p, char c);

// End-aligned positions, counted from the end, at which s holds the pattern's own character
// ('x' facing 'x', a digit facing the same digit) or a separator facing a separator.
int countMatchingTail(const char* pattern, const char* s);

// Of the positions countMatchingTail walks, those holding a pattern character in s.
int countMatchingTailPatternChars(const char* pattern, const char* s);

// Whole-string match: the same length and a match at every position.
bool matchesPattern(const char* pattern, const char* s);

// Number of groups (maximal runs of pattern characters).
int countGroups(const char* s);

// Number of groups from the one holding the first 'x' to the end; 0 without 'x'.
int countGroupsFromFirstWildcard(const char* s);

// Orders strings by shape: the longer is greater; at equal length, the first position
// where only one of them holds a pattern character decides for that one. -1, 0 or +1.
int compareShape(const char* a, const char* b);

} // namespace vellix
