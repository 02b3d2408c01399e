#include "rules/dial_choices.h"
#include "rules/forgetting.h"
#include "rules/rule_learning.h"

#include "rule_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellix {
namespace {

using test::pairOf;

struct Dial {
    std::string copied;
    std::string dialed;
};

// count dials of 412 268 numbers from first on, each number once, the given way.
std::vector<Dial> extensions(int first, int count, const std::string& prefix) {
    std::vector<Dial> dials;
    for (int n = first; n < first + count; ++n) {
        const std::string line = std::to_string(n);
        dials.push_back({"412 268 " + line, prefix + line});
    }
    return dials;
}

std::vector<Dial> operator+(std::vector<Dial> a, const std::vector<Dial>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string proposalFor(const char* number, RuleSet& rules) {
    const DialChoices choices = dialChoicesFor(PhoneNumber(number), rules);
    return choices.items.at(choices.selected).digitForm();
}

// Learning again after every dial, as the program does.
TEST(Forgetting, ProposalsFollowAChangedWayAndNotAnException) {
    struct Case {
        const char* what;
        std::vector<Dial> dials;
        std::vector<std::pair<const char*, const char*>> proposals;
        std::size_t pairsKept;
        const char* confirmedRule = nullptr;
    };
    const std::vector<Dial> office = extensions(1000, 20, "8 ");
    const Case cases[] = {
        {"three numbers dialed a new way overrule the old way",
         office + extensions(2000, 3, "7 "),
         {{"412 268 9999", "7 9999"}},
         3},
        {"two do not yet", office + extensions(2000, 2, "7 "), {{"412 268 9999", "8 9999"}}, 22},
        {"one contact with *67 in front stays an exception of its own",
         office + std::vector<Dial>{{"412 268 1005", "*67 8 1005"}} + extensions(1020, 1, "8 ") +
             std::vector<Dial>{{"412 268 1005", "*67 8 1005"}},
         {{"412 268 9999", "8 9999"}, {"412 268 1005", "*67 8 1005"}},
         23},
        // The exception is then switched off, offered but not proposed.
        {"a number's own rule follows its latest dial",
         office + std::vector<Dial>{{"412 268 1005", "*67 8 1005"}, {"412 268 1005", "8 1005"}},
         {{"412 268 1005", "8 1005"}},
         22},
        {"two numbers dialed two ways from the start both count",
         {{"412 268 1234", "8 1234"}, {"650 555 0000", "5 0000"}},
         {{"412 555 0100", "8 0100"}, {"650 555 0100", "5 0100"}},
         2},
        {"a confirmed rule wins until the user changes it",
         office + extensions(2000, 5, "7 "),
         {{"412 268 9999", "8 9999"}},
         25,
         "8 xxxx"},
    };
    for (const Case& c : cases) {
        RuleSet stored;
        if (c.confirmedRule != nullptr)
            stored.push_back(test::ruleFromText("412 268 xxxx", c.confirmedRule));
        DialingHistory history;
        RuleSet working;
        for (const Dial& dial : c.dials) {
            ASSERT_TRUE(history.add(pairOf(dial.copied.c_str(), dial.dialed.c_str())));
            bool forgot = false;
            working = learnWorkingRules(stored, history, forgot);
        }
        for (const auto& [number, expected] : c.proposals)
            EXPECT_EQ(proposalFor(number, working), expected) << c.what << ": " << number;
        EXPECT_EQ(history.size(), c.pairsKept) << c.what;
    }
}

// The window of the latest dials, and before it the latest pairs of a kind dialed more than
// once and not since; a pair dialed once long ago has left learning.
TEST(Forgetting, LearningSeesTheLatestDialsAndTheLatestPairsOfEarlierKinds) {
    DialingHistory history;
    history.add(pairOf("412 555 0100", "9 1 412 555 0100"));
    for (int i = 0; i < 12; ++i)
        history.add(pairOf("650 555 0000", "9 1 650 555 0000"));
    const std::size_t window = DialingHistory::LEARNING_WINDOW;
    for (const Dial& dial : extensions(1000, static_cast<int>(window) + 50, "8 "))
        history.add(pairOf(dial.copied.c_str(), dial.dialed.c_str()));

    const PairList& seen = history.learningPairs();
    ASSERT_EQ(seen.size(), window + DialingHistory::PAIRS_OF_AN_EARLIER_KIND);
    EXPECT_STREQ(seen.front().copied.digitForm(), "650 555 0000");
    EXPECT_STREQ(seen[DialingHistory::PAIRS_OF_AN_EARLIER_KIND].copied.digitForm(), "412 268 1050");
    EXPECT_STREQ(seen.back().copied.digitForm(), "412 268 2049");
    EXPECT_TRUE(
        std::is_sorted(history.learningPositions().begin(), history.learningPositions().end()));

    // Kept up to date dial by dial as when made at once.
    DialingHistory again = historyOf(pairsOf(history));
    EXPECT_EQ(again.learningPositions(), history.learningPositions());
}

// Learning sees the pairs of the latest dials; older ones must go with a deleted rule, or they
// would bring it back.
TEST(Forgetting, ADeletedRuleTakesItsOlderPairsAlongAndAnEditedOneItsContradictions) {
    DialingHistory history;
    for (const Dial& dial :
         extensions(1000, static_cast<int>(DialingHistory::LEARNING_WINDOW) + 150, "8 "))
        history.add(pairOf(dial.copied.c_str(), dial.dialed.c_str()));
    history.add(pairOf("650 555 0000", "9 1 650 555 0000"));
    bool forgot = false;
    const RuleSet before = learnWorkingRules({}, history, forgot);
    RuleSet after = before;
    after.erase(std::remove_if(after.begin(), after.end(),
                               [](const DialingRule& r) { return r.support().size() > 1; }),
                after.end());
    ASSERT_EQ(after.size(), before.size() - 1);

    EXPECT_TRUE(forgetDroppedPairs(history, before, after));
    ASSERT_EQ(history.size(), 1U);
    EXPECT_STREQ(history[0].copied, "650 555 0000");
    EXPECT_FALSE(forgetDroppedPairs(history, after, after));
}

} // namespace
} // namespace vellix
