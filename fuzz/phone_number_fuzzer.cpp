// Numbers, the string operations on them, rules from text, rewriting and the dial strings,
// all from one input split at NUL bytes: a number text, a pattern, a replacement, and more
// rules as pattern and replacement pairs.

#include "fuzz_input.h"

#include "capture/digit_string.h"
#include "capture/number_reading.h"
#include "capture/phone_number.h"
#include "rules/dialing_rule.h"

#include <cstring>
#include <string>
#include <vector>

using vellix::fuzz::check;

namespace {

// The digit form holds dialable characters and single spaces between groups only, a '+' only
// in front.
bool wellFormedDigitForm(const char* form) {
    const std::size_t length = std::strlen(form);
    if (length == 0)
        return true;
    if (form[0] == ' ' || form[length - 1] == ' ')
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (!vellix::isDialable(form[i]) && !(form[i] == ' ' && form[i + 1] != ' '))
            return false;
        if (form[i] == vellix::INTERNATIONAL_PREFIX && i > 0)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = vellix::fuzz::splitAtNul(data, size);
    const std::string& text = parts[0];
    const std::string& other = parts.size() > 1 ? parts[1] : text;

    vellix::PhoneNumber number;
    const bool accepted = number.setText(text.c_str());
    check(accepted == (!text.empty() && text.size() <= vellix::PhoneNumber::MAX_TEXT_LENGTH));
    check(wellFormedDigitForm(number.digitForm()));
    // A digit form fits a number's text, so that it reads back from a history line.
    check(std::strlen(number.digitForm()) <= vellix::PhoneNumber::MAX_TEXT_LENGTH);
    const vellix::PhoneNumber copy(other.c_str());
    check(wellFormedDigitForm(copy.digitForm()));
    // Typed into the box, any text of any length reads as a number and an extension.
    const vellix::NumberReading typed = vellix::readNumber(text, vellix::LetterCase::ANY);
    check(wellFormedDigitForm(typed.number));
    check(std::strlen(typed.extension) < vellix::READING_CAPACITY);

    // The string operations take any texts, of any length.
    const char* a = text.c_str();
    const char* b = other.c_str();
    const int shared = vellix::countSharedDialableTail(a, b);
    check(shared >= 0 && static_cast<std::size_t>(shared) <= std::min(text.size(), other.size()));
    const int start = vellix::tailStart(a, shared);
    check(start >= -1 && start <= static_cast<int>(text.size()));
    check(vellix::countMatchingTail(a, b) >= vellix::countMatchingTailPatternChars(a, b));
    check(vellix::countGroupsFromFirstWildcard(a) <= vellix::countGroups(a));
    check(vellix::compareShape(a, b) == -vellix::compareShape(b, a));
    vellix::countSharedLeadingGroups(number, copy);
    std::string trimmed = text;
    vellix::trimTrailingSeparators(trimmed.data());

    // Rules from the remaining texts, pattern and replacement by turns.
    vellix::RuleSet rules;
    for (std::size_t i = 1; i + 1 < parts.size(); i += 2) {
        const auto rule =
            vellix::DialingRule::fromText(parts[i].c_str(), parts[i + 1].c_str(), i % 4 == 1, true);
        if (!rule)
            continue;
        char replacement[vellix::DialingRule::REPLACEMENT_CAPACITY];
        rule->replacementText(replacement, sizeof replacement);
        check(std::strlen(replacement) < sizeof replacement);
        if (const auto rewritten = rule->apply(number))
            check(wellFormedDigitForm(rewritten->digitForm()));
        rules.push_back(*rule);
    }
    const std::vector<vellix::PhoneNumber> dialStrings = vellix::dialStringsFor(number, rules);
    std::size_t matching = 0;
    for (const vellix::DialingRule& rule : rules)
        matching += rule.matches(number.digitForm()) ? 1 : 0;
    check(dialStrings.size() <= matching);
    return 0;
}
