// The rules a user confirmed or switched off work the same after a restart: deriving from the
// stored rules and the history as they are in memory, and from the same lists saved to both
// files and loaded again, gives the same working rules and the same dial strings.

#include "rules/rule_learning.h"
#include "store/history_file.h"
#include "store/rules_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace vellix {
namespace {

constexpr std::uint32_t CASES = 400;

// Short histories over numbers from a two-digit alphabet, dialed with a few prefixes in front
// of tails of several lengths: small enough that confirmed rules often lead their shape.
class SmallHistories {
public:
    explicit SmallHistories(std::uint32_t seed) : random_(seed) {}

    std::string number() {
        std::string text = digits(3) + " " + digits(4);
        return pick(4) == 0 ? digits(3) + " " + text : text;
    }

    PairList history() {
        PairList pairs;
        const std::size_t size = 1 + pick(6);
        while (pairs.size() < size) {
            const std::string copied = number();
            // The last 4 to 7 digits, with the space in front of the last four.
            static const char* const prefixes[] = {"", "0", "9 ", "9 1 ", "8 ", "1 "};
            static const std::size_t tails[] = {4, 6, 7, 8};
            const std::string form = PhoneNumber(copied.c_str()).digitForm();
            const std::string dialed =
                prefixes[pick(6)] + form.substr(form.size() - tails[pick(4)]);
            NumberPair pair;
            if (pair.setNumbers(copied.c_str(), dialed.c_str()).isLearnable())
                pairs.push_back(pair);
        }
        return pairs;
    }

    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

private:
    std::string digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('1' + pick(2));
        return s;
    }

    std::mt19937 random_;
};

std::vector<std::string> describe(const RuleSet& rules) {
    std::vector<std::string> lines;
    for (const DialingRule& rule : rules) {
        char replacement[DialingRule::REPLACEMENT_CAPACITY];
        rule.replacementText(replacement, sizeof replacement);
        lines.push_back(std::string(rule.patternText()) + " as " + replacement +
                        (rule.isEnabled() ? " on" : " off") +
                        (rule.isVerified() ? " verified" : ""));
    }
    return lines;
}

// The number box's items as the shell fills them, the proposed one first.
std::vector<std::string> dialStringsOf(const PhoneNumber& number, RuleSet rules) {
    std::reverse(rules.begin(), rules.end());
    const DialStrings strings = rankedDialStrings(number, rules);
    std::vector<std::string> texts{std::to_string(strings.fromEnabledRules)};
    for (const PhoneNumber& dialed : strings.numbers)
        texts.emplace_back(dialed.digitForm());
    return texts;
}

TEST(Restart, StoredRulesWorkTheSameAfterSavingAndLoading) {
    for (std::uint32_t seed = 1; seed <= CASES; ++seed) {
        SmallHistories generator(seed);
        RuleSet working = deriveWorkingRules({}, generator.history());
        // In the dialog the user confirms some learned rules and switches some off, which
        // keeps them as well.
        for (DialingRule& rule : working) {
            const std::size_t choice = generator.pick(4);
            if (choice == 0)
                rule.setEnabled(!rule.isEnabled());
            if (choice <= 1)
                rule.confirm();
        }
        const RuleSet stored = extractStoredRules(working);
        const PairList history = extractHistory(working);
        // The files' bytes, without a disk under them: the writers and readers that the
        // saves and loads run on the opened files.
        std::stringstream rulesFile;
        std::stringstream historyFile;
        ASSERT_TRUE(writeRules(rulesFile, stored));
        ASSERT_TRUE(writeHistory(historyFile, historyOf(history)));
        RuleSet loadedRules;
        DialingHistory loadedHistory;
        readRules(rulesFile, loadedRules);
        readHistory(historyFile, loadedHistory);

        const RuleSet inMemory = deriveWorkingRules(stored, history);
        const RuleSet restarted = deriveWorkingRules(loadedRules, pairsOf(loadedHistory));
        ASSERT_EQ(describe(inMemory), describe(restarted)) << "seed " << seed;
        for (int i = 0; i < 4; ++i) {
            const PhoneNumber number(generator.number().c_str());
            ASSERT_EQ(dialStringsOf(number, inMemory), dialStringsOf(number, restarted))
                << "seed " << seed << ", " << number.digitForm();
        }
    }
}

} // namespace
} // namespace vellix
