#pragma once

// Helpers shared by the rules tests: building pairs and rules, describing them for
// comparisons, and generating dialing histories that look like a user's.

#include "rules/dialing_rule.h"
#include "rules/number_pair.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace vellix::test {

inline NumberPair pairOf(const char* copied, const char* dialed) {
    NumberPair pair;
    return pair.setNumbers(copied, dialed);
}

inline DialingRule ruleFromText(const char* pattern, const char* replacement, bool enabled = true,
                                bool verified = true) {
    std::optional<DialingRule> rule =
        DialingRule::fromText(pattern, replacement, enabled, verified);
    EXPECT_TRUE(rule.has_value()) << pattern << " as " << replacement;
    return rule.value_or(DialingRule{});
}

// A learned rule over the given pairs, its pattern fitted to them.
inline DialingRule learnedRule(const std::vector<NumberPair>& pairs) {
    DialingRule rule = DialingRule::fromPair(pairs.at(0));
    for (std::size_t i = 1; i < pairs.size(); ++i)
        rule.addSupport(pairs[i]);
    rule.generalizeToSupport();
    return rule;
}

inline std::string replacementOf(const DialingRule& rule) {
    char text[DialingRule::REPLACEMENT_CAPACITY];
    rule.replacementText(text, sizeof text);
    return text;
}

inline std::string describe(const NumberPair& pair) {
    return std::string(pair.copied.text()) + " -> " + pair.dialed.text();
}

// Everything a caller can see of a rule, support included.
inline std::string describe(const DialingRule& rule) {
    std::string text = std::string(rule.patternText()) + " as " + replacementOf(rule) +
                       (rule.isEnabled() ? " on" : " off") +
                       (rule.isVerified() ? " verified" : "") +
                       " literal=" + std::to_string(rule.literalGroups()) +
                       " generalized=" + std::to_string(rule.generalizedGroups()) + " [";
    for (const NumberPair& pair : rule.support())
        text += describe(pair) + "; ";
    return text + "]";
}

inline std::vector<std::string> describe(const RuleSet& rules) {
    std::vector<std::string> lines;
    lines.reserve(rules.size());
    for (const DialingRule& rule : rules)
        lines.push_back(describe(rule));
    return lines;
}

inline std::vector<std::string> describe(const PairList& pairs) {
    std::vector<std::string> lines;
    lines.reserve(pairs.size());
    for (const NumberPair& pair : pairs)
        lines.push_back(describe(pair));
    return lines;
}

// Histories of a user who calls a few hundred contacts in a few area codes and dials them the
// ways people do: as an extension, with an outside-line prefix, or as copied. Each contact has
// a habit; `variation` is the share of dials, in percent, made some other way. Draws from the
// generator's raw output so that a seed gives the same history everywhere.
class HistoryGenerator {
public:
    explicit HistoryGenerator(std::uint32_t seed, int contacts = 300, int variation = 10)
        : random_(seed), variation_(variation) {
        for (int i = 0; i < contacts; ++i)
            contacts_.push_back({makeNumber(), static_cast<int>(pick(HABITS))});
    }

    NumberPair nextPair() {
        for (;;) {
            const Contact& contact = contacts_[pick(contacts_.size())];
            const int habit = static_cast<int>(pick(100)) < variation_
                                  ? static_cast<int>(pick(HABITS))
                                  : contact.habit;
            const std::string dialed = dialedFor(contact.number, habit);
            NumberPair pair = pairOf(contact.number.c_str(), dialed.c_str());
            if (pair.isLearnable())
                return pair;
        }
    }

    PairList history(std::size_t size) {
        PairList pairs;
        pairs.reserve(size);
        while (pairs.size() < size)
            pairs.push_back(nextPair());
        return pairs;
    }

    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

private:
    static constexpr std::size_t HABITS = 12;

    struct Contact {
        std::string number;
        int habit;
    };

    std::string digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('0' + pick(10));
        return s;
    }

    std::string makeNumber() {
        static const char* const areas[] = {"412", "650", "212", "415"};
        static const char* const exchanges[] = {"268", "555", "621", "937"};
        const std::string area = areas[pick(4)];
        const std::string exchange = exchanges[pick(4)];
        switch (pick(10)) {
        case 0:
            return exchange + "-" + digits(4);
        case 1:
            return "1 " + area + " " + exchange + " " + digits(4);
        case 2:
            return area + "-" + exchange + "-" + digits(4) + " x" + digits(2);
        default:
            return "(" + area + ") " + exchange + "-" + digits(4);
        }
    }

    // The usual rewritings, and a few odd ones.
    std::string dialedFor(const std::string& copied, int habit) {
        const std::string form = PhoneNumber(copied.c_str()).digitForm();
        const std::string last4 = form.substr(form.size() - 4);
        const std::string last5 = form.substr(form.size() - 6);
        switch (habit) {
        case 0:
        case 1:
            return "8 " + last4;
        case 2:
        case 3:
            return last5;
        case 4:
        case 5:
            return "9 1 " + form;
        case 6:
            return "9 " + form;
        case 7:
            return form;
        case 8:
            return "7-" + last5;
        case 9:
            return "9" + form;
        case 10:
            return digits(1) + " " + last4;
        default:
            return "*67 " + form;
        }
    }

    std::mt19937 random_;
    int variation_;
    std::vector<Contact> contacts_;
};

} // namespace vellix::test
