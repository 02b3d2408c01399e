#include "capture/finder_scan.h"

#include "capture/number_reading.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vellix::finder {

namespace {

// Reads the group at i; returns the position after it, or -1 when none starts there. Skip
// passes over that many marks after an opening parenthesis.
int readGroup(const Text& text, int i, Group& group, int skip = 0) {
    const bool parenthesized = text.at(i) == '(';
    const int begin = parenthesized ? i + 1 + skip : i;
    int end = begin;
    while (isDigitByte(text.at(end)))
        ++end;
    if (end == begin || (parenthesized && text.at(end) != ')'))
        return -1;
    group = {begin, end, parenthesized};
    return parenthesized ? end + 1 : end;
}

// Whether any byte of word lies strictly between low and high (both below 128), for eight
// bytes at once; bytes from 128 up never do.
constexpr std::uint64_t ONES = 0x0101010101010101ULL;

constexpr std::uint64_t HIGH_BITS = 0x8080808080808080ULL;

bool hasByteBetween(std::uint64_t word, std::uint64_t low, std::uint64_t high) {
    const std::uint64_t low7 = word & (ONES * 127);
    return (((ONES * (127 + high) - low7) & ~word & (low7 + ONES * (127 - low))) & HIGH_BITS) != 0;
}

} // namespace

// The length of a no-break space written as an HTML entity at i, or 0.
int blankEntityLength(const Text& text, int i) {
    if (text.at(i) != '&')
        return 0;
    for (const std::string_view entity : {"&nbsp;", "&#160;"}) {
        const int length = static_cast<int>(entity.size());
        int k = 0;
        while (k < length && text.at(i + k) == static_cast<Byte>(entity[k]))
            ++k;
        if (k == length)
            return length;
    }
    return 0;
}

Candidate scanCandidate(const Text& text, int start) {
    Candidate candidate;
    candidate.begin = start;
    int i = start;
    if (text.at(i) == '+') {
        candidate.plus = true;
        ++i;
    }
    // The country code in parentheses: "(+44) 20 7946 0321".
    const bool codeInParentheses = text.at(i) == '(' && text.at(i + 1) == '+';
    candidate.plus = candidate.plus || codeInParentheses;
    Byte joint = 0;
    bool spaced = false;
    for (;;) {
        Group group{};
        const int after =
            readGroup(text, i, group, codeInParentheses && candidate.groupCount == 0 ? 1 : 0);
        if (after < 0)
            break;
        if (candidate.groupCount < MAX_GROUPS) {
            candidate.groups[candidate.groupCount] = group;
            candidate.joints[candidate.groupCount] = joint;
            candidate.spaced[candidate.groupCount] = spaced;
        }
        ++candidate.groupCount;
        candidate.digits += group.length();
        candidate.end = after;

        int next = after;
        joint = 0;
        const int entity = blankEntityLength(text, next);
        spaced = isBlank(text.at(next)) || entity > 0;
        if (entity > 0) {
            // A page's source: "06221&nbsp;43891-29".
            next += entity;
            joint = ' ';
        } else if (spaced) {
            while (isBlank(text.at(next)))
                ++next;
            // A wide gap is a table's next column.
            if (next - after > 2)
                break;
            joint = ' ';
            // A slash or dash set off by blanks: "030 / 2345 6789", "085 - 123 45 67".
            const Byte mark = text.at(next);
            if ((mark == '/' || isDash(mark)) && isBlank(text.at(next + 1))) {
                int digit = next + 1;
                while (isBlank(text.at(digit)))
                    ++digit;
                // ... unless a trunk prefix and an area code in parentheses start the next
                // number there: "441 27 80 - 0 (232) 441 27 81".
                int run = digit;
                while (isDigitByte(text.at(run)))
                    ++run;
                int area = run;
                while (isBlank(text.at(area)))
                    ++area;
                if (candidate.digits >= MIN_DIGITS && area > run && text.at(area) == '(' &&
                    isDigitByte(text.at(area + 1)))
                    break;
                if (isDigitByte(text.at(digit))) {
                    joint = isDash(mark) ? '-' : mark;
                    next = digit;
                }
            }
        } else if (isJoiningPunctuation(text.at(next))) {
            // Every dash joins as a hyphen does.
            joint = isDash(text.at(next)) ? '-' : text.at(next);
            ++next;
        }
        // An area code in parentheses after a whole number starts the next one.
        const bool nextNumber = spaced && text.at(next) == '(' && candidate.digits >= MIN_DIGITS;
        const bool opensGroup =
            isDigitByte(text.at(next)) ||
            (text.at(next) == '(' && isDigitByte(text.at(next + 1)) && !nextNumber);
        // Without a separator only parentheses part groups: "(0)20", "1(800)".
        const bool parted = joint != 0 || group.parenthesized || text.at(next) == '(';
        if (!opensGroup || !parted)
            break;
        i = next;
    }
    return candidate;
}

Candidate slice(const Candidate& c, int from, int to) {
    Candidate part;
    part.plus = c.plus && from == 0;
    const Group& first = c.groups[from];
    const Group& last = c.groups[to - 1];
    part.begin = from == 0 ? c.begin : first.begin - (first.parenthesized ? 1 : 0);
    part.end = last.end + (last.parenthesized ? 1 : 0);
    for (int k = from; k < to; ++k) {
        part.groups[k - from] = c.groups[k];
        part.joints[k - from] = k == from ? 0 : c.joints[k];
        part.spaced[k - from] = k != from && c.spaced[k];
        part.digits += c.groups[k].length();
    }
    part.groupCount = to - from;
    return part;
}

bool startsCandidate(const Text& text, int i) {
    const Byte c = text.at(i);
    if (isDigitByte(c))
        return true;
    const Byte next = text.at(i + 1);
    return (c == '+' && (isDigitByte(next) || next == '(')) ||
           (c == '(' && (isDigitByte(next) || (next == '+' && isDigitByte(text.at(i + 2)))));
}

int skipToPossibleStart(const char* text, int i, int length) {
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text + i, sizeof word);
        if (hasByteBetween(word, '(' - 1, '+' + 1) || hasByteBetween(word, '0' - 1, '9' + 1))
            break;
    }
    for (; i < length; ++i) {
        const char c = text[i];
        if (isDigit(c) || c == '(' || c == '+')
            return i;
    }
    return length;
}

bool extendToVanity(const char* data, const Text& text, Candidate& c, LetterCase letters) {
    const auto rest = static_cast<std::size_t>(text.length() - c.begin);
    const std::size_t end = vanityNumberEnd(std::string_view(data + c.begin, rest), letters);
    // In running text the word ends the number: "1-800-FLOWERS", not "0093 EXP 09/27".
    if (end == 0 || !isLetter(text.at(c.begin + static_cast<int>(end) - 1)))
        return false;
    c.end = c.begin + static_cast<int>(end);
    return true;
}

} // namespace vellix::finder
