#pragma once

// Rule texts as a user writes them, with what each dials for two numbers of its pattern, or
// why it is no rule. The rules file reader and the rules dialog read them alike.

#include <string>
#include <vector>

namespace vellix::test {

struct RuleText {
    const char* pattern;
    const char* replacement;
    // What the rule shows as its replacement afterwards; null when the texts are no rule.
    const char* shown;
    const char* numbers[2];
    const char* dialed[2];
};

inline const std::vector<RuleText>& ruleTexts() {
    static const std::vector<RuleText> texts{
        // In front of the x's, what the user dials; each x keeps the number's character there.
        {"412 268 xxxx",
         "8 xxxx",
         "8 xxxx",
         {"412 268 1234", "412 268 5555"},
         {"8 1234", "8 5555"}},
        {"xxx xxx xxxx",
         "9 1 xxx xxx xxxx",
         "9 1 xxx xxx xxxx",
         {"412 268 1234", "650 555 0100"},
         {"9 1 412 268 1234", "9 1 650 555 0100"}},
        {"412 xxx xxxx",
         "9 1 xxx xxx xxxx",
         "9 1 xxx xxx xxxx",
         {"412 555 0100", "412 268 1234"},
         {"9 1 412 555 0100", "9 1 412 268 1234"}},
        // Groups written out as the pattern has them are the number's own: the rule reads
        // the same under a wider pattern.
        {"412 268 xxxx",
         "9 1 412 268 xxxx",
         "9 1 xxx xxx xxxx",
         {"412 268 1234", "412 268 0000"},
         {"9 1 412 268 1234", "9 1 412 268 0000"}},
        {"412 2680",
         "9 412 2680",
         "9 xxx xxxx",
         {"412 2680", "412 2680"},
         {"9 412 2680", "9 412 2680"}},
        {"xxx xxxx",
         "9 555 xxxx",
         "9 555 xxxx",
         {"555 1212", "268 1234"},
         {"9 555 1212", "9 555 1234"}},
        {"412 xxx xxxx",
         "xxxxxxxxxx",
         "xxx xxx xxxx",
         {"412 555 0100", "412 268 1234"},
         {"412 555 0100", "412 268 1234"}},
        {"412 268 xxxx",
         "8 XXXX",
         "8 xxxx",
         {"412 268 1234", "412 268 7001"},
         {"8 1234", "8 7001"}},
        {"412 269 XXXX",
         "8 xxxx",
         "8 xxxx",
         {"412 269 1234", "412 269 7001"},
         {"8 1234", "8 7001"}},
        {"412 268 xxxx", "9xxxx", "9xxxx", {"412 268 1234", "412 268 7001"}, {"91234", "97001"}},
        // Digits are dialed as they are written, also where the pattern has x's.
        {"xxx xxxx", "411", "411", {"555 1212", "268 1234"}, {"411", "411"}},
        {"412 2680", "9", "9", {"412 2680", "412 2680"}, {"9", "9"}},
        {"+44 20 xxxx xxxx",
         "9 011 44 20 xxxx xxxx",
         "9 011 44 xx xxxx xxxx",
         {"+44 20 7946 0000", "+44 20 1234 5678"},
         {"9 011 44 20 7946 0000", "9 011 44 20 1234 5678"}},
        {"*67 xxx xxxx#",
         "xxx xxxxx",
         "xxx xxxxx",
         {"*67 555 1212#", "*67 268 1234#"},
         {"555 1212#", "268 1234#"}},
        // No rules: x's that are not whole groups of the number, more x's than the pattern
        // has places, x's in the middle, other characters, nothing at all.
        {"xxx xxx xxxx", "x xxxx", nullptr, {}, {}},
        {"412 268 xxxx", "8 xxxxx", nullptr, {}, {}},
        {"xxx xxx xxxx", "xxxx xxxx", nullptr, {}, {}},
        {"xxx xxxx", "xxxxxxxx", nullptr, {}, {}},
        {"xxx xxxx", "xxx 5 xxxx", nullptr, {}, {}},
        {"412 268 xxxx", "9-xxxx", nullptr, {}, {}},
        {"412 268 xxxx", "8 xxxx!", nullptr, {}, {}},
        {"(412) 270-xxxx", "8 xxxx", nullptr, {}, {}},
        {"412 268 x-xx", "8 xxxx", nullptr, {}, {}},
        {"44 +20 xxxx", "xxxx", nullptr, {}, {}},
        {"xxx xxxx", "", nullptr, {}, {}},
        {"", "8 xxxx", nullptr, {}, {}},
    };
    return texts;
}

} // namespace vellix::test
