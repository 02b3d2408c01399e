#include "capture/number_finder.h"

#include "capture/finder_context.h"
#include "capture/finder_label.h"
#include "capture/finder_scan.h"
#include "capture/finder_shape.h"
#include "capture/finder_text.h"
#include "capture/number_reading.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vellix {

// The steps of the search, one header each.
using namespace finder;

namespace {

// The number's text as written, with each run of blanks cut to its first and a page's
// no-break space as a blank; false when it is longer than a number's text may be.
bool numberText(const Text& text, int begin, int end,
                char (&out)[PhoneNumber::MAX_TEXT_LENGTH + 1]) {
    std::size_t n = 0;
    for (int i = begin; i < end;) {
        if (n == PhoneNumber::MAX_TEXT_LENGTH)
            return false;
        const int entity = blankEntityLength(text, i);
        if (entity > 0) {
            out[n++] = ' ';
            i += entity;
            continue;
        }
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
    // The country code written without its prefix: "1-800-555-0199" and "+18005550199".
    if (international == national)
        return true;
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
    // Every form of one number ends in its last digit.
    const std::size_t lengthA = std::strlen(a);
    const std::size_t lengthB = std::strlen(b);
    if (lengthA == 0 || lengthB == 0 || a[lengthA - 1] != b[lengthB - 1])
        return false;
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

// Adds a number found again to the one found before. A link's number comes before the
// visible text that the label names ("Phone: <a href=\"tel:+1...\">1-800-...</a>"), so the
// first that has a label gives it.
void addFound(CapturedNumberList& out, std::size_t first, const CapturedNumber& entry) {
    const auto found = std::find_if(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                                    [&](const CapturedNumber& earlier) {
                                        return sameNumber(earlier.number().digitForm(),
                                                          entry.number().digitForm());
                                    });
    if (found == out.end())
        out.push_back(entry);
    else if (found->label()[0] == '\0' && entry.label()[0] != '\0')
        *found = CapturedNumber(found->number().text(), entry.kind(), entry.label());
}

// The number's text with the extension written after it ("x 204"), or without it when the
// two do not fit a number's text together.
bool writtenWithExtension(const Text& text, const Candidate& c,
                          char (&out)[PhoneNumber::MAX_TEXT_LENGTH + 1]) {
    return numberText(text, c.begin, extensionEnd(text, c.end), out) ||
           numberText(text, c.begin, c.end, out);
}

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

// Where the search goes on after groups that are no number: at a group that stands after a
// wide gap (a table's next column), or past them all.
int afterRejected(const Text& text, const Candidate& c) {
    for (int k = 1; k < std::min(c.groupCount, MAX_GROUPS); ++k) {
        const int at = c.groups[k].begin - (c.groups[k].parenthesized ? 1 : 0);
        if (isBlank(text.at(at - 1)) && isBlank(text.at(at - 2)))
            return at;
    }
    return c.end;
}

// Whether a line speaks of telephones before its first digit ("Celular y WhatsApp: 55 ...",
// "Toll free: 1800 ...") or holds a number in international form. Read within reach.
bool isPhoneLine(const Text& text, int start) {
    constexpr int REACH = 160;
    const int end = std::min(lineEndAfter(text, start), start + REACH);
    int firstDigit = start;
    while (firstDigit < end && !isDigitByte(text.at(firstDigit)))
        ++firstDigit;
    for (int i = start; i + 1 < end; ++i) {
        if (text.at(i) == '+' && isDigitByte(text.at(i + 1)) &&
            (i == start || isSpace(text.at(i - 1))))
            return true;
    }
    return firstDigit < end && anyWord(text, start, firstDigit, [&](int wordStart, int wordEnd) {
               return isPhoneWord(text, wordStart, wordEnd) ||
                      kindOfLabel(text, wordStart, wordEnd) != KIND_GENERAL;
           });
}

// The start of the line that ends at end, or -1 when it is longer than a list's line is: the
// search never reads a long line back and forth.
int shortLineStart(const Text& text, int end) {
    constexpr int LONGEST = 256;
    int start = end;
    while (start > 0 && text.at(start - 1) != '\n' && text.at(start - 1) != '\r') {
        if (end - start == LONGEST)
            return -1;
        --start;
    }
    return start;
}

// Whether the line before or after the one at position is a telephone's: a name before a
// number then names a line in a list of them ("Citas: 55 5555 2718" above "Celular: ...").
bool isInPhoneList(const Text& text, int position) {
    constexpr int LONGEST = 256;
    const int start = shortLineStart(text, position);
    if (start < 0)
        return false;
    int before = start;
    if (before > 0 && text.at(before - 1) == '\n')
        --before;
    if (before > 0 && text.at(before - 1) == '\r')
        --before;
    int after = position;
    while (after < text.length() && after - position < LONGEST && text.at(after) != '\n' &&
           text.at(after) != '\r')
        ++after;
    if (text.at(after) == '\r')
        ++after;
    if (text.at(after) == '\n')
        ++after;
    const int previous = before < start ? shortLineStart(text, before) : -1;
    const bool nextLine = after > position && after < text.length() &&
                          (text.at(after - 1) == '\n' || text.at(after - 1) == '\r');
    return (previous >= 0 && isPhoneLine(text, previous)) || (nextLine && isPhoneLine(text, after));
}

// Whether groups shaped as a number are one where they stand. A label word, a vanity
// number's letters, a word of its kind ("casa"), its column's heading or a phone word before
// it on its line call it one; else it must look like one. The words and marks around it,
// and the name it is given, may still make it something else.
bool isNumberHere(const Text& text, const Candidate& c, bool called, const Label& label,
                  Headings& headings) {
    const int column = called ? 0 : columnMeaning(text, c.begin, headings);
    if (column < 0)
        return false;
    // The last word of a name says what the number is: "Partita IVA: ", "Numer zamowienia: "
    // (a name's first words may be anything: "Customer service: ").
    if (label.isName) {
        int lastWord = label.end;
        while (lastWord > label.begin && isLetter(text.at(lastWord - 1)))
            --lastWord;
        if (meaningOfWords(text, lastWord, label.end) < 0)
            return false;
    }
    // A word of the line's kind before it ("casa", "Handy") calls it one; so does an extension
    // after it ("conserjeria 22 555 6140, anexo 12").
    const bool kindNamed = label.begin >= 0 && label.kind != KIND_GENERAL;
    // One run of digits that a name other than a line's calls something is a code, however
    // it begins: "KID: 0011873204189".
    const auto familiar = [&] {
        return isFamiliarForm(text, c) && !(c.groupCount == 1 && !c.plus && label.isName);
    };
    // A name in a list of phone lines names one: "Citas: 55 5555 2718" above "Celular: ...".
    const auto namedInList = [&] {
        return label.isName && c.groupCount > 1 && c.digits >= 9 &&
               meaningOfWords(text, label.begin, label.end) >= 0 && isInPhoneList(text, c.begin);
    };
    if (!(called || kindNamed || hasNamedExtension(text, c.end) || column > 0 || familiar() ||
          isQuotedCell(text, c) || saysPhoneBefore(text, c.begin) || namedInList()))
        return false;
    // "sip:+4930234567891@pbx.example.com"
    const bool tied = tiedAfter(text, c.end) && !(c.plus && text.at(c.end) == '@');
    // Under a heading that says phone, the cell before is another column: "G. Price\t029 ...".
    return !tied && (called || column > 0 || !saysNotNumberBefore(text, c.begin)) &&
           !saysNotNumberAfter(text, c.end);
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
        const bool labelled = findLabel(searched, candidate.begin).begin >= 0;
        const bool vanity = extendToVanity(text, searched, candidate, LetterCase::CAPITALS);
        // A phone word earlier on the line lets groups through as a label would: four pairs
        // ("vagttelefonen er 20 44 18 73").
        const auto shaped = [&](bool called) {
            return hasNumberShape(searched, candidate, called, Setting::IN_TEXT);
        };
        if (!vanity && !shaped(labelled) &&
            !(!labelled && candidate.groupCount > 1 && saysPhoneBefore(searched, candidate.begin) &&
              shaped(true))) {
            const int k = familiarSplit(searched, candidate);
            if (k == 0) {
                i = afterRejected(searched, candidate);
                continue;
            }
            candidate = slice(candidate, 0, k);
        }
        const Label label = writtenLabel(searched, candidate.begin, headings);
        char written[PhoneNumber::MAX_TEXT_LENGTH + 1];
        if (!isNumberHere(searched, candidate, vanity || labelled, label, headings) ||
            !writtenWithExtension(searched, candidate, written)) {
            i = candidate.end;
            continue;
        }
        char labelText[CapturedNumber::LABEL_CAPACITY] = {};
        if (label.begin >= 0) {
            const int n = std::min<int>(label.end - label.begin,
                                        static_cast<int>(CapturedNumber::LABEL_CAPACITY) - 1);
            std::memcpy(labelText, text + label.begin, static_cast<std::size_t>(n));
        }
        addFound(out, first, CapturedNumber(written, label.kind, labelText));
        i = extensionEnd(searched, candidate.end);
    }
    return out.size() > first;
}

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
