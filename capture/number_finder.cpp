#include "capture/number_finder.h"

#include "capture/digit_string.h"
#include "capture/number_reading.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vellix {

namespace {

using Byte = unsigned char;

constexpr Byte NO_BREAK_SPACE = 0xA0;
// The en and em dashes of the ANSI code page, which word processors put between groups.
constexpr Byte EN_DASH = 0x96;
constexpr Byte EM_DASH = 0x97;
constexpr int MIN_DIGITS = 7;
constexpr int MAX_DIGITS = 15;
// A whole copied text may be a dial string: an access code in front of an international
// number ("9 011 44 20 7946 0000").
constexpr int MAX_DIAL_STRING_DIGITS = 20;
// More groups than this make no number (15 digits in single-digit groups are too many).
constexpr int MAX_GROUPS = 8;

// The searched part of the text; positions outside it read as NUL, so the look-behinds
// and look-aheads below need no bounds checks of their own.
class Text {
public:
    Text(const char* data, int length) : data_(data), length_(length) {}
    Byte at(int i) const {
        return i >= 0 && i < length_ ? static_cast<Byte>(data_[i]) : static_cast<Byte>(0);
    }
    int length() const { return length_; }

private:
    const char* data_;
    int length_;
};

bool isBlank(Byte c) {
    return c == ' ' || c == NO_BREAK_SPACE;
}
// What may stand between a label and its number.
bool isSpace(Byte c) {
    return isBlank(c) || c == '\t';
}
bool isDash(Byte c) {
    return c == '-' || c == EN_DASH || c == EM_DASH;
}
bool isJoiningPunctuation(Byte c) {
    return isDash(c) || c == '.' || c == '/';
}
// The euro, pound and yen signs of the ANSI code page besides the dollar.
bool isCurrencySign(Byte c) {
    return c == '$' || c == 0x80 || c == 0xA3 || c == 0xA5;
}
// Bytes above 0x7F are taken as letters of words: accented letters in the ANSI code page,
// parts of multi-byte characters otherwise.
bool isLetter(Byte c) {
    const Byte folded = c | 0x20;
    return (folded >= 'a' && folded <= 'z') ||
           (c >= 0x80 && c != NO_BREAK_SPACE && c != EN_DASH && c != EM_DASH && !isCurrencySign(c));
}
bool isDigitByte(Byte c) {
    return isDigit(static_cast<char>(c));
}
bool isWordChar(Byte c) {
    return isDigitByte(c) || isLetter(c) || c == '_';
}
char lower(Byte c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
}

// A run of digits, in parentheses or not.
struct Group {
    int begin;
    int end;
    bool parenthesized;
    int length() const { return end - begin; }
};

// A stretch of text shaped like a number: an optional '+', then groups joined by single
// separators. joints[i] is what stands before group i: ' ' for a run of blanks, the
// punctuation itself, or 0 when nothing does (around parentheses) or for the first group.
struct Candidate {
    int begin = 0;
    int end = 0;
    bool plus = false;
    int digits = 0;
    int groupCount = 0;
    Group groups[MAX_GROUPS] = {};
    Byte joints[MAX_GROUPS] = {};
    // Whether blanks stand before group i, alone or around its joint.
    bool spaced[MAX_GROUPS] = {};

    const Group& last() const { return groups[groupCount - 1]; }
};

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

// The longest candidate from start on. Its groups are kept up to MAX_GROUPS; past that
// only counted, so that the caller can skip the whole stretch.
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
        spaced = isBlank(text.at(next));
        if (spaced) {
            while (isBlank(text.at(next)))
                ++next;
            joint = ' ';
            // A slash or dash set off by blanks: "030 / 2345 6789", "085 - 123 45 67".
            const Byte mark = text.at(next);
            if ((mark == '/' || isDash(mark)) && isBlank(text.at(next + 1))) {
                int digit = next + 1;
                while (isBlank(text.at(digit)))
                    ++digit;
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

int groupValue(const Text& text, const Group& group) {
    int value = 0;
    for (int i = group.begin; i < group.end && i < group.begin + 5; ++i)
        value = value * 10 + (text.at(i) - '0');
    return value;
}

bool isYear(const Text& text, const Group& group) {
    if (group.length() != 4)
        return false;
    const int value = groupValue(text, group);
    return value >= 1900 && value <= 2099;
}

bool isDayOrMonth(const Text& text, const Group& group, int highest) {
    const int value = groupValue(text, group);
    return group.length() <= 2 && value >= 1 && value <= highest;
}

// Year, month, day; or day and month either way round, then the year.
bool isDate(const Text& text, const Group& a, const Group& b, const Group& c) {
    if (isYear(text, a))
        return isDayOrMonth(text, b, 12) && isDayOrMonth(text, c, 31);
    return isYear(text, c) && isDayOrMonth(text, a, 31) && isDayOrMonth(text, b, 31) &&
           (isDayOrMonth(text, a, 12) || isDayOrMonth(text, b, 12));
}

bool containsDate(const Text& text, const Candidate& c) {
    for (int k = 0; k + 2 < c.groupCount; ++k) {
        const Byte joint = c.joints[k + 1];
        if (isJoiningPunctuation(joint) && c.joints[k + 2] == joint &&
            isDate(text, c.groups[k], c.groups[k + 1], c.groups[k + 2]))
            return true;
    }
    return false;
}

bool allJointsAre(const Candidate& c, Byte joint) {
    for (int k = 1; k < c.groupCount; ++k) {
        if (c.joints[k] != joint)
            return false;
    }
    return true;
}

// A single run of digits is a number only in the forms people dial it as one: ten digits
// of a North American number, with or without its 1, or a national or international
// number with its leading 0 or 00. Other runs are counters, identifiers and timestamps.
bool isDialledAsOneRun(const Text& text, const Group& group) {
    const int n = group.length();
    auto digit = [&](int k) { return text.at(group.begin + k); };
    auto notZeroOrOne = [&](int k) { return digit(k) >= '2'; };
    if (n == 10 && notZeroOrOne(0) && notZeroOrOne(3))
        return true;
    if (n == 11 && digit(0) == '1' && notZeroOrOne(1) && notZeroOrOne(4))
        return true;
    if (digit(0) == '0' && digit(1) != '0')
        return n == 10 || n == 11;
    return digit(0) == '0' && n >= 11;
}

// Where the candidate stands: inside a longer text, or as the whole of a short copied one.
enum class Setting {
    IN_TEXT,
    WHOLE_TEXT,
};

// A number too short for a telephone number that a copied text holds alone: an internal
// extension ("2041", "411") or one dialed with its access code ("8 1234").
bool isShortInternalNumber(const Candidate& c) {
    if (c.plus || c.groups[0].parenthesized)
        return false;
    if (c.groupCount == 1)
        return c.digits >= 2;
    const int second = c.groups[1].length();
    return c.groupCount == 2 && c.joints[1] == ' ' && c.groups[0].length() <= 2 && second >= 3 &&
           second <= 5;
}

// Whether the groups are shaped the way telephone numbers are written. Each rule below
// turns away a kind of text that is often shaped like one.
bool hasNumberShape(const Text& text, const Candidate& c, bool labelled, Setting setting) {
    const bool whole = setting == Setting::WHOLE_TEXT;
    if (c.digits > (whole ? MAX_DIAL_STRING_DIGITS : MAX_DIGITS) || c.groupCount > MAX_GROUPS ||
        c.last().parenthesized)
        return false;
    if (c.digits < MIN_DIGITS)
        return whole && isShortInternalNumber(c);
    if (c.groupCount == 1)
        return c.plus || labelled || whole || isDialledAsOneRun(text, c.groups[0]);
    // A country code has at most three digits.
    if (c.plus && !c.groups[0].parenthesized && c.groups[0].length() > 3)
        return false;
    // Dialed with 00 in front of the country code: "00 33 1 45 67 89 10", "0044 20 7946 0125".
    const Group& lead = c.groups[0];
    const bool zeroZero = !c.plus && lead.length() >= 2 && lead.length() <= 5 &&
                          text.at(lead.begin) == '0' && text.at(lead.begin + 1) == '0' &&
                          text.at(lead.begin + 2) != '0' && c.digits >= 11;
    const bool international = c.plus || zeroZero;
    // Groups up front that a lone digit may be: the country code's, and "00" alone.
    const int codeGroups = c.plus ? 1 : zeroZero ? (lead.length() == 2 ? 2 : 1) : 0;

    // A switchboard number with its extension after a hyphen: "089 123456-142", "-0".
    const int lastLength = c.last().length();
    // So too after a number with its trunk 0 or country code ("0221 94 55 31-20"), and the
    // switchboard's "-0" after any.
    const bool national = c.plus || text.at(c.groups[0].begin) == '0';
    const bool extensionAfterHyphen = c.groupCount >= 3 && c.joints[c.groupCount - 1] == '-' &&
                                      lastLength <= 4 &&
                                      (c.groups[c.groupCount - 2].length() >= 5 ||
                                       (lastLength == 1 && text.at(c.last().begin) == '0') ||
                                       (national && c.digits - lastLength >= MIN_DIGITS));
    int shortGroups = 0; // of at most two digits
    int fourDigitGroups = 0;
    // A dial string copied whole may start with single-digit codes: "9 1 412 268 1234".
    bool leadingCodes = whole;
    for (int k = 0; k < c.groupCount; ++k) {
        const Group& group = c.groups[k];
        const int length = group.length();
        leadingCodes = leadingCodes && length == 1 && (k == 0 || c.joints[k] == ' ');
        const bool last = k + 1 == c.groupCount;
        const bool beforeExtension = extensionAfterHyphen && k + 2 == c.groupCount;
        if (group.parenthesized && length > 5)
            return false;
        // Only the last group runs long ("030 12345678").
        if (!last && length > (beforeExtension ? 8 : 5))
            return false;
        // A lone digit is a trunk or country code up front, or "(0)"; elsewhere it is a
        // counter or a version part.
        if (length == 1 && !group.parenthesized && k > codeGroups &&
            !(last && extensionAfterHyphen) && !leadingCodes)
            return false;
        shortGroups += length <= 2 ? 1 : 0;
        fourDigitGroups += length == 4 ? 1 : 0;
    }
    if (international)
        return true;
    // Versions and decimals: "4.12.0031"; a North American number may lead with "1.".
    if (allJointsAre(c, '.') && lead.length() <= 2 && text.at(lead.begin) != '0' &&
        !(lead.length() == 1 && text.at(lead.begin) == '1' && c.digits == 11))
        return false;

    // Pairs of digits: the French and Dutch way, five pairs from a 0; otherwise scores,
    // times, dates.
    if (shortGroups == c.groupCount)
        return c.groupCount == 5 && c.digits == 10 && text.at(c.groups[0].begin) == '0';
    if (containsDate(text, c))
        return false;
    // IP addresses.
    if (c.groupCount == 4 && allJointsAre(c, '.')) {
        bool address = true;
        for (int k = 0; k < c.groupCount; ++k)
            address = address && c.groups[k].length() <= 3 && groupValue(text, c.groups[k]) <= 255;
        if (address)
            return false;
    }
    // Card, account and tracking numbers come in blocks of four.
    if (fourDigitGroups >= 3)
        return false;
    if (c.groupCount == 3 && c.groups[0].length() == 4 && c.groups[1].length() == 6 &&
        c.groups[2].length() == 5)
        return false;
    const int first = c.groups[0].length();
    // Amounts with thousands separators: 1 234 567, 12.345.678.
    if (first <= 2 && text.at(c.groups[0].begin) != '0' && !c.groups[0].parenthesized) {
        bool thousands = true;
        for (int k = 1; k < c.groupCount; ++k)
            thousands = thousands && c.groups[k].length() == 3;
        if (thousands)
            return false;
    }
    // Seven digits are a local number, whose exchange never starts with 0 or 1; postal
    // codes such as 100-0005 do.
    if (c.digits == MIN_DIGITS && text.at(c.groups[0].begin) <= '1')
        return false;
    if (c.groupCount == 2) {
        const Group& second = c.groups[1];
        // Decimals.
        if (c.joints[1] == '.')
            return false;
        // ZIP+4 postal codes.
        if (first == 5 && second.length() == 4 && c.joints[1] == '-')
            return false;
        // Ranges: of years, of house numbers (4500-4520).
        if (isYear(text, c.groups[0]) && isYear(text, second))
            return false;
        const int from = groupValue(text, c.groups[0]);
        const int to = groupValue(text, second);
        if (c.joints[1] == '-' && first == second.length() && first <= 5 && to > from &&
            to - from < 100)
            return false;
    }
    return true;
}

// Whether a number nothing calls a phone number is written the way phone numbers are, so
// that a reader takes it for one on sight: in international form, or in a national form with
// its trunk 0 or its area code in parentheses, or as a North American number. Identifiers,
// codes and amounts come in every other grouping; with no word to say what they are, they
// are not dialed.
bool isFamiliarForm(const Text& text, const Candidate& c) {
    if (c.plus)
        return true;
    const Group& first = c.groups[0];
    const auto digitAt = [&](const Group& group, int k) { return text.at(group.begin + k); };
    // 00 or 011 and a country code.
    if (digitAt(first, 0) == '0' && digitAt(first, 1) == '0' && c.digits >= 11)
        return true;
    // The Russian trunk 8 before an area code: 8 (495) 123-45-67, 8 916 123-45-67.
    if (first.length() == 1 && digitAt(first, 0) == '8' && c.groupCount > 2 &&
        c.groups[1].length() == 3 && c.digits == 11)
        return true;
    if (first.length() == 3 && digitAt(first, 0) == '0' && digitAt(first, 1) == '1' &&
        digitAt(first, 2) == '1' && c.groupCount > 1 && c.digits >= 12)
        return true;
    // A run of digits with nothing to say what it is may be any counter or identifier.
    if (c.groupCount == 1)
        return false;
    // A national number with its trunk 0, or its area code in parentheses: "020 7946 0125",
    // "(21) 2345-6789". The area code comes first and no later group is a lone digit.
    const bool trunk = digitAt(first, 0) == '0' && digitAt(first, 1) != '0';
    if ((trunk || first.parenthesized) && first.length() >= 2 && first.length() <= 5 &&
        c.digits >= 9 && c.digits <= 12) {
        bool grouped = true;
        for (int k = 1; k < c.groupCount; ++k)
            grouped = grouped && c.groups[k].length() >= 2;
        return grouped;
    }
    // North American: [1] 412 268 1234, (412) 268-1234, or 268-1234 alone.
    int k = 0;
    if (first.length() == 1 && digitAt(first, 0) == '1' && !first.parenthesized)
        k = 1;
    const int left = c.groupCount - k;
    // Grouped 3-3-4 the number reads as one even with a made-up area code (123-456-7890).
    const auto three = [&](const Group& group, char lowest) {
        return group.length() == 3 && digitAt(group, 0) >= lowest;
    };
    if (left == 3)
        return three(c.groups[k], '1') && three(c.groups[k + 1], '1') &&
               c.groups[k + 2].length() == 4 && !c.groups[k + 1].parenthesized;
    // A local number alone: 268-1234, 268 1234.
    return left == 2 && k == 0 && three(c.groups[0], '2') && !first.parenthesized &&
           c.groups[1].length() == 4 && (c.joints[1] == '-' || c.joints[1] == ' ');
}

bool wordIs(const Text& text, int start, int end, const char* word);
int skipSpacesBack(const Text& text, int end);
template <std::size_t N>
bool wordIn(const Text& text, int start, int end, const char* const (&words)[N]);

// Groups from..to of a candidate as a candidate of their own.
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

bool isFamiliarNumber(const Text& text, const Candidate& c) {
    return hasNumberShape(text, c, false, Setting::IN_TEXT) && isFamiliarForm(text, c);
}

// Where a run of groups that is no number parts into numbers written one after another with
// a blank between them ("412-268-1234 412-268-5678"): the first blank after which the groups
// before and those after are each a number in a familiar form, or 0. Every part must be one,
// so a card or account number in blocks never breaks into numbers.
int familiarSplit(const Text& text, const Candidate& c, int from = 0) {
    if (c.groupCount > MAX_GROUPS)
        return 0;
    for (int k = from + 1; k < c.groupCount; ++k) {
        if (!c.spaced[k] || !isFamiliarNumber(text, slice(c, from, k)))
            continue;
        if (isFamiliarNumber(text, slice(c, k, c.groupCount)) || familiarSplit(text, c, k) > 0)
            return k;
    }
    return 0;
}

// Words that call what follows on their line a telephone number: label words in several
// languages and the verbs of calling. Short ones must be the whole word; the others may
// begin a longer one ("Telefonnummer", "phones", "calling").
constexpr const char* PHONE_WORDS[] = {"tel", "tlf", "ph",  "fax",    "gsm",       "sms",
                                       "kom", "tfn", "cel", "t\xe9l", "t\xc3\xa9l"};
constexpr const char* PHONE_STEMS[] = {"phone",
                                       "teleph",
                                       "telef",
                                       "mobil",
                                       "cell",
                                       "handy",
                                       "natel",
                                       "portab",
                                       "movil",
                                       "celular",
                                       "hotline",
                                       "helpline",
                                       "whatsapp",
                                       "call",
                                       "ring",
                                       "dial",
                                       "reach",
                                       "rufnummer",
                                       "durchwahl",
                                       "zentrale",
                                       "switchboard",
                                       "denwa",
                                       "keitai",
                                       "jitaku",
                                       "freephone",
                                       "puhelin",
                                       "infolin",
                                       "contact",
                                       "tel\xe9"
                                       "f",
                                       "tel\xc3\xa9"
                                       "f",
                                       "m\xf3"
                                       "vil",
                                       "m\xc3\xb3"
                                       "vil"};

bool isPhoneWord(const Text& text, int start, int end) {
    if (std::any_of(std::begin(PHONE_WORDS), std::end(PHONE_WORDS),
                    [&](const char* word) { return wordIs(text, start, end, word); }))
        return true;
    return std::any_of(std::begin(PHONE_STEMS), std::end(PHONE_STEMS), [&](const char* stem) {
        const int length = static_cast<int>(std::strlen(stem));
        return end - start >= length && wordIs(text, start, start + length, stem);
    });
}

// "my number", "our new number": a person's own number is a telephone's.
bool isOwnNumber(const Text& text, int start, int end) {
    if (!(wordIs(text, start, end, "number") || wordIs(text, start, end, "numbers")))
        return false;
    constexpr const char* OWNERS[] = {"my", "our", "his", "her", "your", "their", "new"};
    int wordEnd = skipSpacesBack(text, start);
    for (int words = 0; words < 2 && wordEnd < start; ++words) {
        int wordStart = wordEnd;
        while (isLetter(text.at(wordStart - 1)))
            --wordStart;
        if (!wordIn(text, wordStart, wordEnd, OWNERS))
            return false;
        if (!wordIs(text, wordStart, wordEnd, "new"))
            return true;
        wordEnd = skipSpacesBack(text, wordStart);
    }
    return false;
}

// Whether a word earlier on the number's line, not far before it, calls it a phone number:
// "Phones: 412-268-1234 412-268-5678", "please call me on 0412 345 678".
bool saysPhoneBefore(const Text& text, int begin) {
    constexpr int REACH = 64;
    int i = begin;
    while (i > begin - REACH && i > 0 && text.at(i - 1) != '\n' && text.at(i - 1) != '\r') {
        if (isLetter(text.at(i - 1)) && !isLetter(text.at(i - 2))) {
            int end = i;
            while (isLetter(text.at(end)))
                ++end;
            if (isPhoneWord(text, i - 1, end) || isOwnNumber(text, i - 1, end))
                return true;
        }
        --i;
    }
    return false;
}

// Whether text ending just before end reads word (lower case, may hold blanks and '-'),
// as a whole word; returns where it starts, or -1.
int wordEndingAt(const Text& text, int end, const char* word) {
    const int length = static_cast<int>(std::strlen(word));
    const int start = end - length;
    if (start < 0)
        return -1;
    for (int k = 0; k < length; ++k) {
        if (lower(text.at(start + k)) != word[k])
            return -1;
    }
    return isLetter(text.at(start - 1)) ? -1 : start;
}

struct LabelWord {
    const char* word;
    std::int32_t kind;
};

// Longer phrases first, so that "work phone" wins over "phone".
constexpr LabelWord LABEL_WORDS[] = {
    {"work phone", KIND_GENERAL},
    {"home phone", KIND_HOME},
    {"cell phone", KIND_CELL},
    {"mobile phone", KIND_CELL},
    {"office phone", KIND_GENERAL},
    {"business phone", KIND_GENERAL},
    {"direct line", KIND_GENERAL},
    {"direct dial", KIND_GENERAL},
    {"main line", KIND_GENERAL},
    {"toll free", KIND_GENERAL},
    {"toll-free", KIND_GENERAL},
    {"telephone", KIND_GENERAL},
    {"telefon", KIND_GENERAL},
    {"hotline", KIND_GENERAL},
    {"phone", KIND_GENERAL},
    {"tel", KIND_GENERAL},
    {"ph", KIND_GENERAL},
    {"work", KIND_GENERAL},
    {"office", KIND_GENERAL},
    {"direct", KIND_GENERAL},
    {"main", KIND_GENERAL},
    {"home", KIND_HOME},
    {"mobile", KIND_CELL},
    {"mobil", KIND_CELL},
    {"mob", KIND_CELL},
    {"cellphone", KIND_CELL},
    {"cell", KIND_CELL},
    {"pager", KIND_GENERAL},
    {"fax", KIND_GENERAL},
    {"t", KIND_GENERAL},
    {"p", KIND_GENERAL},
    {"o", KIND_GENERAL},
    {"w", KIND_GENERAL},
    {"f", KIND_GENERAL},
    {"h", KIND_HOME},
    {"m", KIND_CELL},
    {"c", KIND_CELL},
};

// Words after a label that still belong to it: "Phone number", "Mobile no.".
constexpr const char* NUMBER_WORDS[] = {"number", "no.", "no", "nr.", "nr", "#"};

struct Label {
    int begin = -1;
    int end = -1;
    std::int32_t kind = KIND_GENERAL;
};

// Skips backwards over blanks and tabs from end; returns the new end.
int skipSpacesBack(const Text& text, int end) {
    while (isSpace(text.at(end - 1)))
        --end;
    return end;
}

// The label just before a number that begins at begin: a label phrase, optionally
// followed by a ':' or '.', and blanks.
Label findLabel(const Text& text, int begin) {
    int end = skipSpacesBack(text, begin);
    if (text.at(end - 1) == ':' || text.at(end - 1) == '.')
        end = skipSpacesBack(text, end - 1);
    // Every label ends in a letter or '#'; most numbers have neither before them.
    if (!isLetter(text.at(end - 1)) && text.at(end - 1) != '#')
        return {};
    int phraseEnd = end;
    for (const char* word : NUMBER_WORDS) {
        const int start = wordEndingAt(text, end, word);
        if (start >= 0) {
            phraseEnd = skipSpacesBack(text, start);
            if (text.at(phraseEnd - 1) == '.')
                phraseEnd = skipSpacesBack(text, phraseEnd - 1);
            break;
        }
    }
    for (const LabelWord& label : LABEL_WORDS) {
        const int start = wordEndingAt(text, phraseEnd, label.word);
        // A letter alone is a label only as a word of its own: "T:", not "A/c".
        const Byte before = text.at(start - 1);
        if (start >= 0 && label.word[1] == '\0' &&
            !(before == 0 || isSpace(before) || before == '\n' || before == '\r' || before == '|' ||
              before == ',' || before == ';' || before == '(' || before == '"'))
            continue;
        if (start >= 0)
            return {start, end, label.kind};
    }
    return {};
}

// The words before a number that say it is something else.
constexpr const char* NOT_NUMBER_BEFORE[] = {
    "order",
    "invoice",
    "inv",
    "account",
    "acct",
    "acc",
    "iban",
    "bic",
    "swift",
    "routing",
    "aba",
    "sort",
    "card",
    "visa",
    "mastercard",
    "amex",
    "ref",
    "reference",
    "id",
    "ticket",
    "case",
    "po",
    "sku",
    "serial",
    "sn",
    "s/n",
    "tracking",
    "shipment",
    "parcel",
    "zip",
    "postal",
    "postcode",
    "amount",
    "total",
    "subtotal",
    "balance",
    "price",
    "cost",
    "due",
    "paid",
    "version",
    "ver",
    "v",
    "build",
    "release",
    "isbn",
    "issn",
    "pin",
    "passcode",
    "password",
    "code",
    "suite",
    "ste",
    "apt",
    "unit",
    "room",
    "floor",
    "box",
    "bldg",
    "building",
    "transaction",
    "txn",
    "confirmation",
    "booking",
    "reservation",
    "vat",
    "tax",
    "ssn",
    "ein",
    "member",
    "policy",
    "claim",
    "license",
    "licence",
    "item",
    "part",
    "model",
    "lot",
    "batch",
    "job",
    "request",
    "pid",
    "port",
    "uid",
    "user",
    "error",
    "errno",
    "commit",
    "issue",
    "bug",
    "customer",
    "client",
    "patient",
    "usd",
    "eur",
    "gbp",
    "chf",
    "cad",
    "aud",
    "jpy",
    "inr",
    "sek",
    "nok",
    "dkk",
    "pln",
    "rs",
    "page",
    "pages",
    "step",
    "count",
    "size",
    "seed",
    "timestamp",
    "epoch",
    "ts",
    "pnr",
    "record",
    "row",
    "ip",
    // Tax, company and personal numbers, bank and goods codes of many countries.
    "iva",
    "tva",
    "btw",
    "ust",
    "mva",
    "moms",
    "gst",
    "siren",
    "siret",
    "cpf",
    "cnpj",
    "rg",
    "nip",
    "pesel",
    "regon",
    "krs",
    "kvk",
    "inn",
    "kpp",
    "ogrn",
    "nhs",
    "sin",
    "ahv",
    "bsn",
    "abn",
    "acn",
    "nif",
    "nie",
    "cif",
    "rfc",
    "curp",
    "duns",
    "rma",
    "ean",
    "upc",
    "gtin",
    "ndc",
    "rx",
    "org",
    "orgnr",
    "cvr",
    "a/c",
    "aadhaar",
    "pan",
    "ifsc",
    "imei",
    "iccid",
    "winning",
    "draw",
    "yubin",
    "cep",
    "plz",
    "ustid",
    "rea",
    "fiscale",
    "codice",
    "webinar",
    "meeting",
    "conference",
    "access",
    "participant",
    "attendee",
    "bridge",
};

// The words after a number that say it is an amount or a quantity.
constexpr const char* NOT_NUMBER_AFTER[] = {
    "usd",    "eur",      "gbp",   "chf",       "cad",       "aud",    "jpy",     "inr",
    "sek",    "nok",      "dkk",   "pln",       "rub",       "kr",     "dollars", "euros",
    "bytes",  "kb",       "mb",    "gb",        "tb",        "kib",    "mib",     "gib",
    "ms",     "ns",       "sec",   "secs",      "seconds",   "km",     "kg",      "mi",
    "lbs",    "px",       "rows",  "records",   "items",     "users",  "views",   "times",
    "pts",    "points",   "votes", "followers", "downloads", "copies", "units",   "shares",
    "people", "visitors", "words", "lines",     "requests",  "calls",  "hits",    "entries",
};

// Reads the letters of the word ending at end (after skipping back over blanks and a few
// marks such as ':' and '#'); returns its start, or -1 when there is none.
int wordBefore(const Text& text, int from, int& wordEnd) {
    int e = from;
    for (int marks = 0; marks < 4; ++marks) {
        const Byte c = text.at(e - 1);
        if (!(isSpace(c) || c == ':' || c == '#' || c == '.' || c == '-' || c == '"' || c == '\'' ||
              c == '='))
            break;
        --e;
    }
    e = skipSpacesBack(text, e);
    int start = e;
    while (start > e - 24 &&
           (isLetter(text.at(start - 1)) ||
            (text.at(start - 1) == '/' && isLetter(text.at(start - 2)) && start < e)))
        --start;
    wordEnd = e;
    return start < e && !isWordChar(text.at(start - 1)) ? start : -1;
}

bool wordIs(const Text& text, int start, int end, const char* word) {
    const int length = static_cast<int>(std::strlen(word));
    if (end - start != length)
        return false;
    for (int k = 0; k < length; ++k) {
        if (lower(text.at(start + k)) != word[k])
            return false;
    }
    return true;
}

template <std::size_t N>
bool wordIn(const Text& text, int start, int end, const char* const (&words)[N]) {
    return std::any_of(std::begin(words), std::end(words),
                       [&](const char* word) { return wordIs(text, start, end, word); });
}

// Whether the token just before begin, a blank away, mixes letters and digits: a code
// ("AA1 01 2345", "HTTP/1.1\" 200 5123") that the digits go on.
bool followsCode(const Text& text, int begin) {
    if (!isBlank(text.at(begin - 1)))
        return false;
    bool letters = false;
    bool digits = false;
    for (int i = begin - 2; i >= begin - 32 && text.at(i) > ' ' && text.at(i) != NO_BREAK_SPACE;
         --i) {
        letters = letters || isLetter(text.at(i));
        digits = digits || isDigitByte(text.at(i));
    }
    return letters && digits;
}

// A block of capitals and digits, at most four, as accounts and codes are written in.
bool isCodeBlock(const Text& text, int start, int end) {
    if (end - start > 4)
        return false;
    for (int i = start; i < end; ++i) {
        const Byte c = text.at(i);
        if (!((c >= 'A' && c <= 'Z') || isDigitByte(c)))
            return false;
    }
    return true;
}

// Any numbered thing but a telephone: "Kundennummer", "Ondernemingsnummer".
bool endsInNumberWord(const Text& text, int start, int end) {
    constexpr const char* SUFFIXES[] = {"nummer", "number", "numero", "bango"};
    if (std::any_of(std::begin(SUFFIXES), std::end(SUFFIXES), [&](const char* suffix) {
            const int length = static_cast<int>(std::strlen(suffix));
            return end - start > length && wordIs(text, end - length, end, suffix);
        }))
        return true;
    // Keys written in camel case: "orgNo", "customerId", "vatNr".
    const Byte capital = text.at(end - 2);
    return end - start > 2 && (capital == 'N' || capital == 'I') &&
           (wordIs(text, end - 2, end, "no") || wordIs(text, end - 2, end, "nr") ||
            wordIs(text, end - 2, end, "id"));
}

// What follows the name of a numbered thing: "Order no.", "Winning numbers", "Yubin bango".
constexpr const char* NUMBER_WORDS_AFTER_NAME[] = {"no",      "nr",     "number", "num",
                                                   "numbers", "nummer", "numero", "bango"};

// A word before the number such as "Order", "Invoice no.", "Meeting ID:", a currency sign,
// or a code.
bool saysNotNumberBefore(const Text& text, int begin) {
    if (isCurrencySign(text.at(skipSpacesBack(text, begin) - 1)) || followsCode(text, begin))
        return true;
    int wordEnd = 0;
    int start = wordBefore(text, begin, wordEnd);
    if (start < 0)
        return false;
    if (wordIn(text, start, wordEnd, NUMBER_WORDS_AFTER_NAME)) {
        start = wordBefore(text, start, wordEnd);
        if (start < 0)
            return false;
    }
    // Blocks of an account written in groups ("IBAN NL91 ABNA 0417 1643 00") stand between
    // its name and these digits.
    for (int hops = 0; !wordIn(text, start, wordEnd, NOT_NUMBER_BEFORE); ++hops) {
        if (hops == 3 || !isCodeBlock(text, start, wordEnd))
            return !isPhoneWord(text, start, wordEnd) && endsInNumberWord(text, start, wordEnd);
        wordEnd = skipSpacesBack(text, start);
        if (wordEnd == start)
            return false;
        start = wordEnd;
        while (start > wordEnd - 8 &&
               (isLetter(text.at(start - 1)) || isDigitByte(text.at(start - 1))))
            --start;
    }
    return true;
}

bool saysNotNumberAfter(const Text& text, int end) {
    int i = end;
    while (isSpace(text.at(i)))
        ++i;
    if (isCurrencySign(text.at(i)) || text.at(i) == '%')
        return true;
    int wordEnd = i;
    while (wordEnd < i + 24 && isLetter(text.at(wordEnd)))
        ++wordEnd;
    return wordEnd > i && !isWordChar(text.at(wordEnd)) &&
           wordIn(text, i, wordEnd, NOT_NUMBER_AFTER);
}

// The end of an extension written after a number ("x 567", "ext. 567", ";ext=567"), or
// end itself when there is none.
int extensionEnd(const Text& text, int end) {
    int i = end;
    while (isSpace(text.at(i)))
        ++i;
    if (text.at(i) == ',' || text.at(i) == ';')
        ++i;
    while (isSpace(text.at(i)))
        ++i;
    int marker = 0;
    for (const char* word : {"extension", "ext", "x"}) {
        const int length = static_cast<int>(std::strlen(word));
        if (wordIs(text, i, i + length, word) && !isLetter(text.at(i + length))) {
            marker = length;
            break;
        }
    }
    if (marker == 0)
        return end;
    i += marker;
    if (text.at(i) == '.')
        ++i;
    if (text.at(i) == ':' || text.at(i) == '=' || text.at(i) == '#')
        ++i;
    while (isSpace(text.at(i)))
        ++i;
    if (!isDigitByte(text.at(i)))
        return end;
    while (isDigitByte(text.at(i)))
        ++i;
    return i;
}

// Whether what stands before a candidate starting at begin ties it to a longer token: a
// word or identifier, a decimal, a time, an amount, a path.
bool tiedBefore(const Text& text, int begin) {
    const Byte before = text.at(begin - 1);
    if (isWordChar(before) || isCurrencySign(before))
        return true;
    // A number in international form may follow a key or a mark: "to=+14129037715".
    if (text.at(begin) == '+' && before != '+' && before != '-')
        return false;
    switch (before) {
    case '>':
        // The end of a tag ("<td>412..."), not an arrow or a comparison.
        return text.at(begin - 2) == '-' || text.at(begin - 2) == '=' || text.at(begin - 2) == '>';
    case '#': {
        // "Ph#412.268.7740": a label word before it.
        int start = begin - 1;
        while (isLetter(text.at(start - 1)))
            --start;
        return !(start < begin - 1 && isPhoneWord(text, start, begin - 1));
    }
    case '@':
    case '=':
    case '\\':
    case '&':
    case '%':
    case '~':
    case '^':
    case '<':
        return true;
    case '-':
    case '/':
    case '+':
        return isWordChar(text.at(begin - 2));
    case '.':
    case ':':
        return isDigitByte(text.at(begin - 2));
    case ',': {
        // Thousands and decimals after a comma; a list of numbers may use one too, and
        // its next number goes on past a short first group.
        int run = begin;
        while (isDigitByte(text.at(run)))
            ++run;
        const bool goesOn = isJoiningPunctuation(text.at(run)) && isDigitByte(text.at(run + 1));
        return isDigitByte(text.at(begin - 2)) && run - begin <= 3 && !goesOn;
    }
    default:
        return false;
    }
}

// Whether what follows a candidate ending at end ties it to a longer token.
bool tiedAfter(const Text& text, int end) {
    const Byte after = text.at(end);
    if (isWordChar(after))
        return extensionEnd(text, end) == end;
    if (isCurrencySign(after))
        return true;
    switch (after) {
    case '@':
    case '#':
    case '%':
    case '_':
        return true;
    case ':':
        return isDigitByte(text.at(end + 1));
    case ',': {
        int run = end + 1;
        while (isDigitByte(text.at(run)))
            ++run;
        return run > end + 1 && run - (end + 1) <= 2;
    }
    default:
        return false;
    }
}

// The number's text as written, with each run of blanks cut to its first; false when it
// is longer than a number's text may be.
bool numberText(const Text& text, int begin, int end,
                char (&out)[PhoneNumber::MAX_TEXT_LENGTH + 1]) {
    std::size_t n = 0;
    for (int i = begin; i < end;) {
        if (n == PhoneNumber::MAX_TEXT_LENGTH)
            return false;
        const Byte byte = text.at(i);
        out[n++] = static_cast<char>(byte);
        ++i;
        if (isBlank(byte)) {
            while (isBlank(text.at(i)))
                ++i;
        }
    }
    out[n] = '\0';
    return true;
}

// Whether two digit forms hold the same dialable characters, however they are grouped:
// "+1 646 558 8656" and "+16465588656" are one number.
bool sameDigits(const char* a, const char* b) {
    for (;; ++a, ++b) {
        while (*a == ' ')
            ++a;
        while (*b == ' ')
            ++b;
        if (*a != *b)
            return false;
        if (*a == '\0')
            return true;
    }
}

// The dialable characters of a digit form without blanks, as a view into out.
std::string_view packed(const char* digitForm, char (&out)[PhoneNumber::CAPACITY]) {
    std::size_t n = 0;
    for (const char* c = digitForm; *c != '\0' && n < sizeof out; ++c) {
        if (*c != ' ')
            out[n++] = *c;
    }
    return {out, n};
}

// After the international prefix ("+", "00", "011"), or empty for a national number.
std::string_view internationalPart(std::string_view number) {
    // 011 begins national numbers too (0113 496 0123); as a prefix a long number follows.
    constexpr std::size_t LONGEST_NATIONAL = 12;
    if (number.substr(0, 1) == "+")
        return number.substr(1);
    if (number.substr(0, 2) == "00")
        return number.substr(2);
    if (number.substr(0, 3) == "011" && number.size() > LONGEST_NATIONAL)
        return number.substr(3);
    return {};
}

// Whether a number in international form and one in national form are the same line:
// after a country code of one to three digits the one goes on as the other does, with or
// without its trunk 0 ("+44 20 7946 0125" and "020 7946 0125", "001 412 268 1000" and
// "412-268-1000").
bool sameLine(std::string_view international, std::string_view national) {
    const std::string_view trunkless = national[0] == '0' ? national.substr(1) : national;
    for (std::size_t code = 1; code <= 3 && code < international.size(); ++code) {
        const std::string_view rest = international.substr(code);
        if (rest.size() >= static_cast<std::size_t>(MIN_DIGITS) &&
            (rest == national || rest == trunkless))
            return true;
    }
    return false;
}

// One number written twice, in any grouping and in international and national form, is
// found once.
bool sameNumber(const char* a, const char* b) {
    if (sameDigits(a, b))
        return true;
    char leftBytes[PhoneNumber::CAPACITY];
    char rightBytes[PhoneNumber::CAPACITY];
    const std::string_view left = packed(a, leftBytes);
    const std::string_view right = packed(b, rightBytes);
    if (left.empty() || right.empty())
        return false;
    const std::string_view leftInternational = internationalPart(left);
    const std::string_view rightInternational = internationalPart(right);
    if (!leftInternational.empty() && !rightInternational.empty())
        return leftInternational == rightInternational;
    if (!leftInternational.empty())
        return sameLine(leftInternational, right);
    return !rightInternational.empty() && sameLine(rightInternational, left);
}

bool alreadyFound(const CapturedNumberList& out, std::size_t first, const CapturedNumber& entry) {
    return std::any_of(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                       [&](const CapturedNumber& found) {
                           return sameNumber(found.number().digitForm(),
                                             entry.number().digitForm());
                       });
}

// Whether any byte of word lies strictly between low and high (both below 128), for eight
// bytes at once; bytes from 128 up never do.
constexpr std::uint64_t ONES = 0x0101010101010101ULL;
constexpr std::uint64_t HIGH_BITS = 0x8080808080808080ULL;
bool hasByteBetween(std::uint64_t word, std::uint64_t low, std::uint64_t high) {
    const std::uint64_t low7 = word & (ONES * 127);
    return (((ONES * (127 + high) - low7) & ~word & (low7 + ONES * (127 - low))) & HIGH_BITS) != 0;
}

// The first position from i on whose byte may start a number ('(', '+' or a digit), or the
// end. Most of a text is words, which this passes over eight bytes at a time.
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

// Extends a candidate over the letters of a vanity number it starts ("1-800-FLOWERS").
bool extendToVanity(const char* data, const Text& text, Candidate& c, LetterCase letters) {
    const auto rest = static_cast<std::size_t>(text.length() - c.begin);
    const std::size_t end = vanityNumberEnd(std::string_view(data + c.begin, rest), letters);
    if (end == 0)
        return false;
    c.end = c.begin + static_cast<int>(end);
    return true;
}

// The number's text with the extension written after it ("x 204"), or without it when the
// two do not fit a number's text together.
bool writtenWithExtension(const Text& text, const Candidate& c,
                          char (&out)[PhoneNumber::MAX_TEXT_LENGTH + 1]) {
    return numberText(text, c.begin, extensionEnd(text, c.end), out) ||
           numberText(text, c.begin, c.end, out);
}

// Tables: a number in a row of cells takes its meaning from its column's heading, the
// nearest line above it, parted the same way, that holds no digit. Cells are parted by tabs, '|',
// ';' or ',' (quoted cells may hold these), or, where none of them is, by runs of two or more
// blanks.
constexpr int HEADING_REACH = 4096;

int lineStartBefore(const Text& text, int i) {
    while (i > 0 && text.at(i - 1) != '\n' && text.at(i - 1) != '\r')
        --i;
    return i;
}

int lineEndAfter(const Text& text, int i) {
    while (i < text.length() && text.at(i) != '\n' && text.at(i) != '\r')
        ++i;
    return i;
}

// What a line from start on holds: where it ends, whether it has a digit, and its cell
// separator, or 0 (' ' stands for runs of blanks). One pass over it.
struct LineFacts {
    int end = 0;
    bool digits = false;
    bool letters = false;
    Byte separator = 0;
    // How many separators part it; quoted cells may hold them.
    int cells = 0;
};

LineFacts lineFacts(const Text& text, int start) {
    LineFacts facts;
    int counts[5] = {}; // tabs, bars, semicolons, commas, runs of blanks
    bool quoted = false;
    int i = start;
    for (; i < text.length(); ++i) {
        const Byte c = text.at(i);
        if (c >= '0' && c <= '9') {
            facts.digits = true;
            continue;
        }
        if (c > '|' || (c > ';' && c < '|') || (c > '"' && c < ',') || (c > ',' && c < ';')) {
            facts.letters = facts.letters || isLetter(c);
            continue;
        }
        if (c == '\n' || c == '\r')
            break;
        if (c == '"')
            quoted = !quoted;
        if (quoted)
            continue;
        switch (c) {
        case '\t':
            ++counts[0];
            break;
        case '|':
            ++counts[1];
            break;
        case ';':
            ++counts[2];
            break;
        case ',':
            ++counts[3];
            break;
        case ' ':
            counts[4] += text.at(i + 1) == ' ' && text.at(i - 1) != ' ' ? 1 : 0;
            break;
        default:
            break;
        }
    }
    facts.end = i;
    constexpr Byte SEPARATORS[] = {'\t', '|', ';', ',', ' '};
    for (int k = 0; k < 5; ++k) {
        if (counts[k] > 0) {
            facts.separator = SEPARATORS[k];
            facts.cells = counts[k];
            break;
        }
    }
    return facts;
}

// The cell of a line that position lies in: by count of separators, or for blank-parted
// columns by where the cell's text begins.
int cellIndex(const Text& text, int start, int position, Byte separator) {
    int index = 0;
    bool quoted = false;
    for (int i = start; i < position; ++i) {
        const Byte c = text.at(i);
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == separator && separator != ' ')
            ++index;
    }
    return index;
}

// Whether any word of text[start, end) says phone (1), or another numbered thing (-1).
int meaningOfWords(const Text& text, int start, int end) {
    int meaning = 0;
    for (int i = start; i < end; ++i) {
        if (!isLetter(text.at(i)) || isLetter(text.at(i - 1)))
            continue;
        int wordEnd = i;
        while (wordEnd < end && isLetter(text.at(wordEnd)))
            ++wordEnd;
        if (isPhoneWord(text, i, wordEnd))
            return 1;
        if (wordIn(text, i, wordEnd, NOT_NUMBER_BEFORE) || endsInNumberWord(text, i, wordEnd))
            meaning = -1;
    }
    return meaning;
}

// The headings of the tables a text holds, learned line by line as the search moves on: for
// each separator, the latest line it parts that holds no digit.
class Headings {
public:
    // Reads the lines before the one that starts at rowStart, from where it stopped before.
    void readUpTo(const Text& text, int rowStart) {
        while (next_ < rowStart) {
            const LineFacts line = lineFacts(text, next_);
            if (!line.digits && line.letters && line.separator != 0) {
                latest_[slot(line.separator)] = next_;
                cells_[slot(line.separator)] = line.cells;
            }
            next_ = line.end;
            while (next_ < text.length() && (text.at(next_) == '\r' || text.at(next_) == '\n'))
                ++next_;
        }
    }
    int latest(Byte separator) const { return latest_[slot(separator)]; }
    int latestCells(Byte separator) const { return cells_[slot(separator)]; }
    // The line that position lies on, and its separator, read once a line.
    void findRow(const Text& text, int position) {
        if (position >= rowStart_ && position < rowEnd_)
            return;
        rowStart_ = lineStartBefore(text, position);
        const LineFacts row = lineFacts(text, rowStart_);
        rowEnd_ = row.end;
        rowSeparator_ = row.separator;
        rowCells_ = row.cells;
    }
    int rowStart() const { return rowStart_; }
    Byte rowSeparator() const { return rowSeparator_; }
    int rowCells() const { return rowCells_; }

private:
    static int slot(Byte separator) {
        switch (separator) {
        case '\t':
            return 0;
        case '|':
            return 1;
        case ';':
            return 2;
        case ',':
            return 3;
        default:
            return 4;
        }
    }
    int next_ = 0;
    int latest_[5] = {-1, -1, -1, -1, -1};
    int cells_[5] = {};
    int rowStart_ = 0;
    int rowEnd_ = 0;
    Byte rowSeparator_ = 0;
    int rowCells_ = 0;
};

// Where the heading of the number's column stands, or {-1, -1} outside a table.
struct Span {
    int start = -1;
    int end = -1;
};

Span headingOver(const Text& text, int begin, Headings& headings) {
    headings.findRow(text, begin);
    const int rowStart = headings.rowStart();
    const Byte separator = headings.rowSeparator();
    if (rowStart == 0 || separator == 0)
        return {};
    headings.readUpTo(text, rowStart);
    const int heading = headings.latest(separator);
    // A heading has as many cells as its rows; columns parted by blanks, at least three.
    const int cells = headings.latestCells(separator);
    // Sentences have commas too: a heading parted by them has three cells at least.
    if (heading < 0 || heading < begin - HEADING_REACH ||
        (separator == ' ' ? cells < 2 || headings.rowCells() < 2 : cells != headings.rowCells()) ||
        (separator == ',' && cells < 2))
        return {};
    const int headingEnd = lineEndAfter(text, heading);
    Span cell;
    if (separator == ' ') {
        // The heading word over the number's column, or the nearest one to its left.
        const int column = begin - rowStart;
        for (int i = heading; i < headingEnd && i - heading <= column; ++i) {
            if (text.at(i) != ' ' && (i == heading || text.at(i - 1) == ' '))
                cell.start = i;
        }
        if (cell.start < 0)
            return {};
        cell.end = cell.start;
        while (cell.end < headingEnd && !(text.at(cell.end) == ' ' && text.at(cell.end + 1) == ' '))
            ++cell.end;
        return cell;
    }
    const int index = cellIndex(text, rowStart, begin, separator);
    cell.start = heading;
    for (int k = 0; k < index && cell.start < headingEnd; ++cell.start) {
        if (text.at(cell.start) == separator)
            ++k;
    }
    cell.end = cell.start;
    while (cell.end < headingEnd && text.at(cell.end) != separator)
        ++cell.end;
    // Without the quotes and blanks around it.
    while (cell.start < cell.end && (isSpace(text.at(cell.start)) || text.at(cell.start) == '"'))
        ++cell.start;
    while (cell.end > cell.start &&
           (isSpace(text.at(cell.end - 1)) || text.at(cell.end - 1) == '"'))
        --cell.end;
    return cell;
}

int columnMeaning(const Text& text, int begin, Headings& headings) {
    const Span cell = headingOver(text, begin, headings);
    return cell.start < cell.end ? meaningOfWords(text, cell.start, cell.end) : 0;
}

// A row's cell in quotes that is a number dialed as one run: "Lee","6505550123","lee@...".
// Quotes make the cell text, not a count.
bool isQuotedCell(const Text& text, const Candidate& c) {
    const Byte before = text.at(c.begin - 2);
    const Byte after = text.at(c.end + 1);
    return c.groupCount == 1 && text.at(c.begin - 1) == '"' && text.at(c.end) == '"' &&
           (before == ',' || before == ';' || before == '\t') &&
           (after == ',' || after == ';' || after == '\t' || after == '\r' || after == '\n' ||
            after == 0) &&
           isDialledAsOneRun(text, c.groups[0]);
}

// Words that make a line's kind: a cell phone's, a home's.
constexpr const char* CELL_WORDS[] = {"mobil",
                                      "cell",
                                      "handy",
                                      "natel",
                                      "gsm",
                                      "portab",
                                      "telemov",
                                      "movil",
                                      "celular",
                                      "cel",
                                      "mobiel",
                                      "kom",
                                      "keitai",
                                      "mob",
                                      "m\xf3"
                                      "vil",
                                      "m\xc3\xb3"
                                      "vil",
                                      "telem\xf3"
                                      "vel",
                                      "kom\xf3"
                                      "rk"};
constexpr const char* HOME_WORDS[] = {"home", "privat", "domicile", "casa", "thuis",
                                      "hem",  "jitaku", "residen",  "dom",  "domow"};

// The kind the words of a label give; a letter alone counts only as the whole label ("M:").
std::int32_t kindOfLabel(const Text& text, int start, int end) {
    if (end - start == 1) {
        const char letter = lower(text.at(start));
        return letter == 'm' || letter == 'c' ? KIND_CELL
               : letter == 'h'                ? KIND_HOME
                                              : KIND_GENERAL;
    }
    for (int i = start; i < end; ++i) {
        if (!isLetter(text.at(i)) || isLetter(text.at(i - 1)))
            continue;
        int wordEnd = i;
        while (wordEnd < end && isLetter(text.at(wordEnd)))
            ++wordEnd;
        const auto begins = [&](const char* stem) {
            const int length = static_cast<int>(std::strlen(stem));
            return wordEnd - i >= length && wordIs(text, i, i + length, stem);
        };
        if (std::any_of(std::begin(CELL_WORDS), std::end(CELL_WORDS), begins))
            return KIND_CELL;
        if (std::any_of(std::begin(HOME_WORDS), std::end(HOME_WORDS), begins))
            return KIND_HOME;
    }
    return KIND_GENERAL;
}

// The phrase that ends at end, as people write a label: a few words on the number's line,
// back to a mark that parts it from what came before.
int phraseStart(const Text& text, int end) {
    constexpr int LONGEST = 32;
    constexpr int MOST_WORDS = 4;
    int start = end;
    int words = 0;
    int open = 0;
    while (start > end - LONGEST) {
        const Byte c = text.at(start - 1);
        const bool wordByte = isLetter(c) || isDigitByte(c);
        // An aside closed within the label belongs to it ("Emergency (24/7)"); a dash set off
        // by blanks parts it from what came before ("Facilities desk - Phones").
        open += c == ')' ? 1 : 0;
        if (c == '(' && open-- == 0)
            break;
        const bool spacedDash = isDash(c) && text.at(start - 2) == ' ' && text.at(start) == ' ';
        const bool joining = c == '.' || c == '&' || c == '/' || (isDash(c) && !spacedDash) ||
                             c == '(' || c == ')' || c == '\'' ||
                             (c == ' ' && text.at(start - 2) != ' ');
        if (!wordByte && !joining)
            break;
        if (wordByte && !(isLetter(text.at(start)) || isDigitByte(text.at(start))) &&
            ++words > MOST_WORDS)
            break;
        --start;
    }
    while (start < end && !(isLetter(text.at(start)) || isDigitByte(text.at(start))))
        ++start;
    // Words of a sentence before the colon are no label; its last word may be one: "if the
    // line is busy try home:".
    if (words > 2 && text.at(start) >= 'a' && text.at(start) <= 'z') {
        start = end;
        while (start > 0 && isLetter(text.at(start - 1)))
            --start;
    }
    return start;
}

// The end of a label without the dot that ends it: "Tel.", "Mobile no.".
int withoutEndingDot(const Text& text, int start, int end) {
    return end > start + 1 && text.at(end - 1) == '.' ? end - 1 : end;
}

// Phrases before a number that say how to reach it, not what it is.
bool isCallingPhrase(const Text& text, int start, int end) {
    constexpr const char* VERBS[] = {"call", "ring", "dial",   "reach", "text", "to",  "from",
                                     "id",   "uri",  "please", "sms",   "sent", "send"};
    int wordEnd = start;
    while (wordEnd < end && isLetter(text.at(wordEnd)))
        ++wordEnd;
    return wordIn(text, start, wordEnd, VERBS);
}

// In a sentence, the nearest word before the number, a few words back on its line, that
// names a line ("mi cel es 55 1234 5678", "GSM 0475 12 34 56"), with a kind word right after
// it ("Tel. privat"). Verbs of calling name nothing.
Label nameWordBefore(const Text& text, int begin) {
    constexpr int MOST_WORDS = 4;
    int i = begin;
    for (int words = 0; words < MOST_WORDS; ++words) {
        while (i > 0 && !isLetter(text.at(i - 1)) && text.at(i - 1) != '\n' &&
               text.at(i - 1) != '\r' && !isDigitByte(text.at(i - 1)))
            --i;
        const int wordEnd = i;
        while (isLetter(text.at(i - 1)))
            --i;
        if (i == wordEnd)
            return {};
        const std::int32_t kind = kindOfLabel(text, i, wordEnd);
        const bool names = (isPhoneWord(text, i, wordEnd) || kind != KIND_GENERAL) &&
                           !isCallingPhrase(text, i, wordEnd);
        if (!names)
            continue;
        // A word of the kind or the line before it belongs to the label: "Cell phone".
        const int before = skipSpacesBack(text, i);
        int beforeStart = before;
        while (isLetter(text.at(beforeStart - 1)))
            --beforeStart;
        if (beforeStart < before && before < i &&
            (kindOfLabel(text, beforeStart, before) != KIND_GENERAL ||
             isPhoneWord(text, beforeStart, before)) &&
            !isCallingPhrase(text, beforeStart, before))
            i = beforeStart;
        int end = wordEnd;
        // A kind word that follows: "Tel. privat", "telefon domowy".
        int next = wordEnd;
        while (text.at(next) == '.' || text.at(next) == ' ')
            ++next;
        int nextEnd = next;
        while (isLetter(text.at(nextEnd)))
            ++nextEnd;
        if (nextEnd > next && nextEnd < begin && kindOfLabel(text, next, nextEnd) != KIND_GENERAL)
            end = nextEnd;
        end = withoutEndingDot(text, i, end);
        return {i, end, kindOfLabel(text, i, end)};
    }
    return {};
}

Label columnHeading(const Text& text, int begin, Headings& headings) {
    const Span cell = headingOver(text, begin, headings);
    if (cell.start >= cell.end)
        return {};
    return {cell.start, cell.end, kindOfLabel(text, cell.start, cell.end)};
}

// The label of a number as written before it: the phrase before a colon or '=' ("London
// office: ", "phone=", "\"mobile\":\""), a tag's name ("<Telephone>"), a label word just before
// it ("Tel 0221 ..."), or its table column's heading. None when nothing names it.
Label writtenLabel(const Text& text, int begin, Headings& headings) {
    int end = begin;
    if (text.at(end - 1) == '"' || text.at(end - 1) == '\'')
        --end;
    if (text.at(end - 1) == '>' && text.at(end - 2) != '/') {
        // "<cbc:Telephone>": the tag's name, without its namespace; the tags that lay out a
        // page name nothing.
        constexpr const char* LAYOUT_TAGS[] = {"td", "th", "p",  "a",  "li", "div",    "span",
                                               "b",  "i",  "em", "dd", "dt", "strong", "small"};
        const int tagEnd = end - 1;
        int tagStart = tagEnd;
        while (isLetter(text.at(tagStart - 1)))
            --tagStart;
        if (tagStart < tagEnd && (text.at(tagStart - 1) == '<' || text.at(tagStart - 1) == ':') &&
            !wordIn(text, tagStart, tagEnd, LAYOUT_TAGS))
            return {tagStart, tagEnd, kindOfLabel(text, tagStart, tagEnd)};
        return {};
    }
    // "tel:+44..." in a link, "sip:" and "callto:" are the link's scheme, not a label;
    // "Tel:4125550193" is a label.
    if (text.at(end - 1) == ':' && isLetter(text.at(end - 2))) {
        int scheme = end - 1;
        while (isLetter(text.at(scheme - 1)))
            --scheme;
        constexpr const char* SCHEMES[] = {"tel", "sip", "sips", "callto"};
        const Byte before = text.at(scheme - 1);
        const bool link = before == '"' || before == '\'' || before == '=' || before == '<' ||
                          before == '(' || (text.at(scheme) >= 'a' && text.at(end) == '+');
        if (link && wordIn(text, scheme, end - 1, SCHEMES))
            return {};
    }
    end = skipSpacesBack(text, end);
    if (text.at(end - 1) == ':' || text.at(end - 1) == '=') {
        end = skipSpacesBack(text, end - 1);
        if (text.at(end - 1) == '"' || text.at(end - 1) == '\'')
            --end;
        const int start = phraseStart(text, end);
        end = withoutEndingDot(text, start, end);
        if (start < end && isLetter(text.at(start)) && !isCallingPhrase(text, start, end))
            return {start, end, kindOfLabel(text, start, end)};
        return {};
    }
    const Label known = findLabel(text, begin);
    if (known.begin >= 0)
        return known;
    const Label heading = columnHeading(text, begin, headings);
    if (heading.begin >= 0)
        return heading;
    return nameWordBefore(text, begin);
}

bool startsCandidate(const Text& text, int i) {
    const Byte c = text.at(i);
    if (isDigitByte(c))
        return true;
    const Byte next = text.at(i + 1);
    return (c == '+' && (isDigitByte(next) || next == '(')) ||
           (c == '(' && (isDigitByte(next) || (next == '+' && isDigitByte(text.at(i + 2)))));
}

} // namespace

bool findNumbers(const char* text, std::size_t size, CapturedNumberList& out) {
    if (text == nullptr)
        return false;
    const std::size_t limit = std::min(size, SEARCHED_TEXT_LIMIT);
    const void* nul = std::memchr(text, '\0', limit);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : limit;
    const Text searched(text, static_cast<int>(length));
    const std::size_t first = out.size();
    Headings headings;

    for (int i = 0; out.size() - first < MAX_FOUND_NUMBERS;) {
        i = skipToPossibleStart(text, i, searched.length());
        if (i == searched.length())
            break;
        if (!startsCandidate(searched, i)) {
            ++i;
            continue;
        }
        if (tiedBefore(searched, i)) {
            // Inside a longer token: move past this run of it only, since a number may
            // still follow after a blank ("Ref-2024 412 268 1234").
            ++i;
            while (isWordChar(searched.at(i)))
                ++i;
            continue;
        }
        Candidate candidate = scanCandidate(searched, i);
        if (candidate.groupCount == 0) {
            ++i;
            continue;
        }
        Label label = findLabel(searched, candidate.begin);
        bool labelled = label.begin >= 0;
        const bool vanity = extendToVanity(text, searched, candidate, LetterCase::CAPITALS);
        bool shaped = vanity || hasNumberShape(searched, candidate, labelled, Setting::IN_TEXT);
        if (!shaped) {
            if (const int k = familiarSplit(searched, candidate); k > 0) {
                candidate = slice(candidate, 0, k);
                shaped = true;
            }
        }
        // What no word calls a phone number must look like one; a table's heading may say
        // either.
        const int column =
            shaped && !labelled ? columnMeaning(searched, candidate.begin, headings) : 0;
        shaped = shaped && column >= 0 &&
                 (vanity || labelled || column > 0 || isFamiliarForm(searched, candidate) ||
                  isQuotedCell(searched, candidate) || saysPhoneBefore(searched, candidate.begin));
        const bool accepted = shaped &&
                              // "sip:+4930234567891@pbx.example.com"
                              (!tiedAfter(searched, candidate.end) ||
                               (candidate.plus && searched.at(candidate.end) == '@')) &&
                              (labelled || !saysNotNumberBefore(searched, candidate.begin)) &&
                              !saysNotNumberAfter(searched, candidate.end);
        char written[PhoneNumber::MAX_TEXT_LENGTH + 1];
        if (!accepted || !writtenWithExtension(searched, candidate, written)) {
            i = candidate.end;
            continue;
        }
        const Label shown = writtenLabel(searched, candidate.begin, headings);
        char labelText[CapturedNumber::LABEL_CAPACITY] = {};
        if (shown.begin >= 0) {
            const int n = std::min<int>(shown.end - shown.begin,
                                        static_cast<int>(CapturedNumber::LABEL_CAPACITY) - 1);
            std::memcpy(labelText, text + shown.begin, static_cast<std::size_t>(n));
        }
        CapturedNumber entry(written, shown.kind, labelText);
        if (!alreadyFound(out, first, entry))
            out.push_back(entry);
        i = extensionEnd(searched, candidate.end);
    }
    return out.size() > first;
}

namespace {

bool isEdgeBlank(Byte c) {
    return isSpace(c) || c == '\r' || c == '\n';
}

// A code for the exchange, such as "*67 555-1212" or "#31#": keypad characters, blanks and
// hyphens with a '*' or '#' among them.
bool isDialCode(const Text& text, int begin, int end) {
    bool code = false;
    bool digit = false;
    for (int i = begin; i < end; ++i) {
        const Byte c = text.at(i);
        code = code || c == '*' || c == '#';
        digit = digit || isDigitByte(c);
        if (!isDigitByte(c) && c != '*' && c != '#' && !isBlank(c) && c != '-')
            return false;
    }
    return code && digit;
}

// "x2041", "ext. 2041": the digits of an internal extension, from digitsBegin to end.
bool isLoneExtension(const Text& text, int begin, int end, int& digitsBegin) {
    if (extensionEnd(text, begin) != end)
        return false;
    digitsBegin = end;
    while (digitsBegin > begin && isDigitByte(text.at(digitsBegin - 1)))
        --digitsBegin;
    return end - digitsBegin >= 2;
}

// The end of an extension after pauses ("555 1212,,204"), or end when there is none. A
// list of numbers in a longer text is written so too, so only a whole text has these.
int pausedExtensionEnd(const Text& text, int end) {
    int i = end;
    while (text.at(i) == ',')
        ++i;
    if (i == end || !(isDigitByte(text.at(i)) || text.at(i) == '*' || text.at(i) == '#'))
        return end;
    while (isDigitByte(text.at(i)) || text.at(i) == '*' || text.at(i) == '#')
        ++i;
    return i;
}

bool appendWhole(const Text& text, int begin, int end, std::int32_t kind, const char* label,
                 CapturedNumberList& out) {
    char written[PhoneNumber::MAX_TEXT_LENGTH + 1];
    if (!numberText(text, begin, end, written))
        return false;
    out.emplace_back(written, kind, label);
    return true;
}

} // namespace

bool readWholeNumber(const char* text, std::size_t length, CapturedNumberList& out) {
    if (text == nullptr || length >= READING_CAPACITY)
        return false;
    // Alone, a tab between groups is a blank as any other.
    char copy[READING_CAPACITY] = {};
    std::replace_copy(text, text + length, copy, '\t', ' ');
    const Text whole(copy, static_cast<int>(length));
    int begin = 0;
    int end = whole.length();
    while (begin < end && isEdgeBlank(whole.at(begin)))
        ++begin;
    while (end > begin && isEdgeBlank(whole.at(end - 1)))
        --end;
    if (begin == end)
        return false;
    if (isDialCode(whole, begin, end))
        return appendWhole(whole, begin, end, KIND_GENERAL, nullptr, out);
    int digits = 0;
    if (isLoneExtension(whole, begin, end, digits))
        return appendWhole(whole, digits, end, KIND_GENERAL, nullptr, out);

    int start = begin;
    while (start < end && !startsCandidate(whole, start))
        ++start;
    if (start == end)
        return false;
    const Label label = findLabel(whole, start);
    const bool labelled = label.begin == begin;
    // Words before a whole telephone number are a note on it ("Call me: 650-555-0123"); before
    // anything shorter, or when they say what it is, they make it something else ("Room 204",
    // "Order 5551212"). Such a number must pass for one inside a text.
    const bool noted = start != begin && !labelled;
    if (noted && (tiedBefore(whole, start) || saysNotNumberBefore(whole, start)))
        return false;
    Candidate candidate = scanCandidate(whole, start);
    if (candidate.groupCount == 0)
        return false;
    const bool vanity = extendToVanity(copy, whole, candidate, LetterCase::CAPITALS);
    // Only a telephone number has an extension: "12,50" is an amount.
    if (candidate.end != end && ((!vanity && candidate.digits < MIN_DIGITS) ||
                                 (extensionEnd(whole, candidate.end) != end &&
                                  pausedExtensionEnd(whole, candidate.end) != end)))
        return false;
    if (!vanity &&
        !hasNumberShape(whole, candidate, labelled, noted ? Setting::IN_TEXT : Setting::WHOLE_TEXT))
        return false;
    char labelText[CapturedNumber::LABEL_CAPACITY] = {};
    if (labelled) {
        const int n = std::min<int>(label.end - label.begin,
                                    static_cast<int>(CapturedNumber::LABEL_CAPACITY) - 1);
        std::memcpy(labelText, copy + label.begin, static_cast<std::size_t>(n));
    }
    return appendWhole(whole, start, end, labelled ? label.kind : KIND_GENERAL,
                       labelled ? labelText : nullptr, out);
}

} // namespace vellix
