#include "fake_desktop.h"
#include "shell/presentation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vellix {
namespace {

using testing::FakeDesktop;
using Calls = std::vector<std::string>;
struct RuleText {
    const char* pattern;
    const char* replacement;
    bool enabled = true;
};
using RuleTexts = std::vector<RuleText>;

RuleSet rulesFrom(const RuleTexts& texts) {
    RuleSet rules;
    for (const auto& [pattern, replacement, enabled] : texts) {
        std::optional<DialingRule> rule =
            DialingRule::fromText(pattern, replacement, enabled, true);
        EXPECT_TRUE(rule.has_value()) << pattern << " as " << replacement;
        if (rule)
            rules.push_back(*rule);
    }
    return rules;
}

struct FillCase {
    const char* name;
    const char* number;
    RuleTexts rules;
    std::vector<std::string> items;
    std::size_t selected;
};

TEST(FillNumberBox, ItemsAndSelection) {
    const FillCase cases[] = {
        {"no rule applies", "412-268-1234", {}, {"412 268 1234"}, 0},
        {"rules that do not match",
         "555 0100",
         {{"xxx xxx xxxx", "9 1 xxx xxx xxxx"}},
         {"555 0100"},
         0},
        {"dial strings follow in ranking order, the best selected",
         "412-268-1234",
         {{"xxx xxx xxxx", "1 xxx xxx xxxx"}, {"412 268 xxxx", "8 xxxx"}},
         {"412 268 1234", "8 1234", "1 412 268 1234"},
         1},
        {"a dial string equal to the number adds no item and selects item 0",
         "412-268-1234",
         {{"412 268 xxxx", "412 268 xxxx"}, {"xxx xxx xxxx", "1 xxx xxx xxxx"}},
         {"412 268 1234", "1 412 268 1234"},
         0},
        {"equal dial strings from two rules are listed once",
         "412-268-1234",
         {{"412 268 xxxx", "8 xxxx"}, {"412 xxx xxxx", "8 xxxx"}},
         {"412 268 1234", "8 1234"},
         1},
        // Prefix matching would select item 0, which begins with "4".
        {"a best dial string that begins an earlier item selects itself",
         "412-268-1234",
         {{"xxx xxx xxxx", "4"}},
         {"412 268 1234", "4"},
         1},
        {"an entry without dialable characters", "hello", {{"xxx xxxx", "9 xxx xxxx"}}, {""}, 0},
        {"a disabled rule's dial string is listed but never selected",
         "555-0100",
         {{"555 xxxx", "9 555 xxxx", false}},
         {"555 0100", "9 555 0100"},
         0},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        PhoneNumber proposed;
        RuleSet rules = rulesFrom(c.rules);

        fillNumberBox(desktop, PhoneNumber(c.number), proposed, rules);

        Calls expected{"clearNumberBox", "appendToNumberBox " + c.items[0],
                       "setNumberBoxText " + c.items[0]};
        for (std::size_t i = 1; i < c.items.size(); ++i)
            expected.push_back("appendToNumberBox " + c.items[i]);
        expected.push_back("selectNumberBoxItem " + std::to_string(c.selected));
        EXPECT_EQ(desktop.calls, expected);
    }
}

TEST(FillNumberBox, NumberBecomesProposedWhole) {
    FakeDesktop desktop;
    PhoneNumber proposed("555 0100");
    RuleSet rules;
    fillNumberBox(desktop, PhoneNumber("(412) 268-1234"), proposed, rules);
    EXPECT_STREQ(proposed.text(), "(412) 268-1234");
    EXPECT_STREQ(proposed.digitForm(), "412 268 1234");
}

TEST(FillNumberBox, LeavesWorkingRulesInRankingOrder) {
    FakeDesktop desktop;
    PhoneNumber proposed;
    RuleSet rules = rulesFrom({{"xxx xxx xxxx", "1 xxx xxx xxxx"},
                               {"650 xxx xxxx", "9 xxx xxxx"},
                               {"412 268 xxxx", "8 xxxx"}});
    ASSERT_FALSE(std::is_sorted(rules.begin(), rules.end(), appliesBefore));
    fillNumberBox(desktop, PhoneNumber("555 0100"), proposed, rules);
    EXPECT_TRUE(std::is_sorted(rules.begin(), rules.end(), appliesBefore));
}

TEST(PresentCapturedNumbers, SeveralNumbersKeepFirstEntryOnButtonAndShowWindow) {
    FakeDesktop desktop;
    PhoneNumber proposed;
    RuleSet rules = rulesFrom({{"412 268 xxxx", "8 xxxx"}});
    desktop.visible = false;
    presentCapturedNumbers(desktop,
                           {CapturedNumber("412-268-1234", KIND_HOME, "Home phone"),
                            CapturedNumber("555-0100", KIND_CELL, "Cell phone")},
                           proposed, rules);
    const Calls expected{"setNumberButtonImage 1",
                         "clearNumberBox",
                         "appendToNumberBox 412 268 1234",
                         "setNumberBoxText 412 268 1234",
                         "appendToNumberBox 8 1234",
                         "selectNumberBoxItem 1",
                         "showSeveralNumbersLayout 1 Home phone",
                         "showWindow 4"};
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_STREQ(proposed.text(), "412-268-1234");
}

} // namespace
} // namespace vellix
