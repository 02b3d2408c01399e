#include "capture/finder_shape.h"

#include <algorithm>
#include <cstring>

namespace vellix::finder {

namespace {

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
    // With blanks, day, month and year alone: "12 06 2024".
    return c.groupCount == 3 && c.joints[1] == ' ' && c.joints[2] == ' ' &&
           isYear(text, c.groups[2]) && isDate(text, c.groups[0], c.groups[1], c.groups[2]);
}

bool allDigitsAlike(const Text& text, const Candidate& c) {
    const Byte digit = text.at(c.groups[0].begin);
    for (int k = 0; k < std::min(c.groupCount, MAX_GROUPS); ++k) {
        for (int i = c.groups[k].begin; i < c.groups[k].end; ++i) {
            if (text.at(i) != digit)
                return false;
        }
    }
    return true;
}

// Whether each group's value is above the one before: drawn numbers, listed in order.
bool isRising(const Text& text, const Candidate& c) {
    for (int k = 1; k < c.groupCount; ++k) {
        if (groupValue(text, c.groups[k]) <= groupValue(text, c.groups[k - 1]))
            return false;
    }
    return true;
}

bool allJointsAre(const Candidate& c, Byte joint) {
    for (int k = 1; k < c.groupCount; ++k) {
        if (c.joints[k] != joint)
            return false;
    }
    return true;
}

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

} // namespace

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

bool hasNumberShape(const Text& text, const Candidate& c, bool labelled, Setting setting) {
    const bool whole = setting == Setting::WHOLE_TEXT;
    if (c.digits > (whole ? MAX_DIAL_STRING_DIGITS : MAX_DIGITS) || c.groupCount > MAX_GROUPS ||
        c.last().parenthesized)
        return false;
    if (c.digits < MIN_DIGITS)
        return whole && isShortInternalNumber(c);
    // Placeholders: "(000) 000-0000", "111-111-1111".
    if (allDigitsAlike(text, c))
        return false;
    // No country code starts with 0: "+013.404954", "+0100" is a time zone.
    if (c.plus && text.at(c.groups[0].begin) == '0')
        return false;
    if (c.groupCount == 1)
        return c.plus || labelled || whole || isDialledAsOneRun(text, c.groups[0]);
    // A country code has at most three digits, and a number in international form at least
    // eight in all; "+1 250 000" is a change in an amount.
    if (c.plus && ((!c.groups[0].parenthesized && c.groups[0].length() > 3) || c.digits < 8))
        return false;
    // A point parts a decimal: "+52.520008".
    if (c.plus && c.groupCount == 2 && c.joints[1] == '.')
        return false;
    // Dialed with 00 in front of the country code: "00 33 1 45 67 89 10", "0044 20 7946 0125".
    const Group& lead = c.groups[0];
    const bool zeroZero = !c.plus && lead.length() >= 2 && lead.length() <= 5 &&
                          text.at(lead.begin) == '0' && text.at(lead.begin + 1) == '0' &&
                          text.at(lead.begin + 2) != '0' && c.digits >= 11;
    // And with 011 from North America: "011 61 2 5550 3377".
    const bool zeroOneOne = !c.plus && lead.length() == 3 && c.groupCount > 2 &&
                            text.at(lead.begin) == '0' && text.at(lead.begin + 1) == '1' &&
                            text.at(lead.begin + 2) == '1' && c.digits >= 12;
    const bool international = c.plus || zeroZero || zeroOneOne;
    // Groups up front that a lone digit may be: the country code's and the area code after it
    // ("+61 2", "00 33 1").
    const int codeGroups = c.plus                                           ? 1
                           : zeroOneOne || (zeroZero && lead.length() == 2) ? 2
                           : zeroZero                                       ? 1
                                                                            : 0;

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
        // So is an area code or a mobile prefix after "(0)" or an area code in parentheses:
        // "+33 (0)4 72 55 18 40", "(81) 9 9602-3315".
        const bool afterParentheses = k > 0 && c.groups[k - 1].parenthesized;
        // And the end of the switchboard's number before its hyphenated tail ("98 44 7-0"),
        // or Budapest's 1 after the trunk 06 ("06 1 447 1830").
        const bool areaAfterTrunk =
            k == 1 && lead.length() == 2 && text.at(lead.begin) == '0' && c.digits >= 9;
        if (length == 1 && !group.parenthesized && k > codeGroups && !afterParentheses &&
            !(last && extensionAfterHyphen) && !(beforeExtension && national) && !areaAfterTrunk &&
            !leadingCodes)
            return false;
        shortGroups += length <= 2 ? 1 : 0;
        fourDigitGroups += length == 4 ? 1 : 0;
    }
    if (international)
        return true;
    // Versions and decimals: "4.12.0031", "4.12.0031-20240611"; a North American number may
    // lead with "1.".
    const bool dotted =
        allJointsAre(c, '.') || (c.groupCount >= 3 && c.joints[1] == '.' && c.joints[2] == '.');
    if (dotted && lead.length() <= 2 && text.at(lead.begin) != '0' &&
        !(lead.length() == 1 && text.at(lead.begin) == '1' && c.digits == 11))
        return false;
    // References that begin with a year: "2024/06/4122", "2024-118833"; or hold one between
    // marks: "08-2024-00317".
    if (isYear(text, lead) && isJoiningPunctuation(c.joints[1]))
        return false;
    for (int k = 1; k + 1 < c.groupCount; ++k) {
        const int value = groupValue(text, c.groups[k]);
        if (c.groups[k].length() == 4 && value >= 2000 && value <= 2035 &&
            (c.joints[k] == '-' || c.joints[k] == '/') && c.joints[k + 1] == c.joints[k])
            return false;
    }

    // Pairs of digits: the French and Dutch way, five pairs from a 0; otherwise scores,
    // times, dates.
    // Called a phone number, four pairs are the Danish and Norwegian way. Pairs all parted by
    // dashes are a draw's numbers.
    // So are pairs in rising order, unless called a number ("Vinnertall: 04 11 23 38 45").
    if (shortGroups == c.groupCount)
        return (c.groupCount == 5 && c.digits == 10 && text.at(c.groups[0].begin) == '0' &&
                !allJointsAre(c, '-') && (labelled || !isRising(text, c))) ||
               (labelled && c.groupCount == 4 && c.digits == 8);
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
    // Card, account and tracking numbers come in blocks of four; a mobile number with its
    // trunk 0 may too ("0176 5550 4471").
    const bool trunk = text.at(lead.begin) == '0' && text.at(lead.begin + 1) != '0';
    if (fourDigitGroups >= 3 && !(trunk && c.digits <= 12))
        return false;
    // Brazilian personal ids: 052.118.734-20.
    if (c.groupCount == 4 && c.joints[1] == '.' && c.joints[2] == '.' && c.joints[3] == '-' &&
        c.groups[0].length() == 3 && c.groups[1].length() == 3 && c.groups[2].length() == 3 &&
        c.last().length() == 2)
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
        // ZIP+4 and Brazilian postal codes: 15222-1234, 01310-200.
        if (first == 5 && (second.length() == 4 || second.length() == 3) && c.joints[1] == '-')
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

bool isFamiliarForm(const Text& text, const Candidate& c) {
    if (c.plus)
        return true;
    const Group& first = c.groups[0];
    const auto digitAt = [&](const Group& group, int k) { return text.at(group.begin + k); };
    // 00 or 011 and a country code.
    if (digitAt(first, 0) == '0' && digitAt(first, 1) == '0' && digitAt(first, 2) != '0' &&
        c.digits >= 11)
        return true;
    // The Russian trunk 8 before an area code: 8 (495) 123-45-67, 8 916 123-45-67.
    if (first.length() == 1 && digitAt(first, 0) == '8' && c.groupCount > 2 &&
        c.groups[1].length() >= 3 && c.groups[1].length() <= 5 && c.digits == 11)
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
    // North American: [1] 412 268 1234, (412) 268-1234. A local number alone (268-1234) in a
    // longer text is as often a code ("DfE 202-2041"): there only words call it a number.
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
    // A copy of a few numbers and nothing else: "555-1212 or 555-1313".
    constexpr int FEW_NUMBERS = 48;
    return text.length() <= FEW_NUMBERS && left == 2 && k == 0 && three(c.groups[0], '2') &&
           !first.parenthesized && c.groups[1].length() == 4 &&
           (c.joints[1] == '-' || c.joints[1] == ' ');
}

bool isFamiliarNumber(const Text& text, const Candidate& c) {
    return hasNumberShape(text, c, false, Setting::IN_TEXT) && isFamiliarForm(text, c);
}

int familiarSplit(const Text& text, const Candidate& c, int from) {
    if (c.groupCount > MAX_GROUPS)
        return 0;
    for (int k = from + 1; k < c.groupCount; ++k) {
        if (!c.spaced[k])
            continue;
        const Candidate part = slice(c, from, k);
        const Candidate rest = slice(c, k, c.groupCount);
        const bool slash = c.joints[k] == '/';
        // A slash set off by blanks parts two whole numbers, in any form their words then
        // call numbers: "Call 98450 12345 / 080-4112 7788", "llama: 915 27 44 08 / 654 31 22 97".
        if (slash && part.digits >= 9 && rest.digits >= 9 &&
            hasNumberShape(text, part, false, Setting::IN_TEXT) &&
            hasNumberShape(text, rest, false, Setting::IN_TEXT))
            return k;
        // Otherwise each part is a whole number in a familiar form, not a local one: "882 4417
        // 0031 6629 005" is a card's number.
        if (!isFamiliarNumber(text, part) || part.digits < 9)
            continue;
        // After a slash, the same exchange's other line may be written without its area
        // code: "(011) 4555-2187 / 4555-2188".
        if (isFamiliarNumber(text, rest) || familiarSplit(text, c, k) > 0 ||
            (slash && rest.digits >= MIN_DIGITS &&
             hasNumberShape(text, rest, false, Setting::IN_TEXT)))
            return k;
    }
    return 0;
}

} // namespace vellix::finder
