#include "rules/dial_choices.h"

#include <algorithm>
#include <cstring>

namespace vellix {

DialChoices dialChoicesFor(const PhoneNumber& number, RuleSet& rules) {
    DialChoices choices;
    choices.items.push_back(number);
    const DialStrings dialStrings = rankedDialStrings(number, rules);
    choices.rewritten = !dialStrings.numbers.empty();
    // Rules that rewrite alike give one item: the box lists every dial string once.
    for (const PhoneNumber& dialString : dialStrings.numbers) {
        const bool listed =
            std::any_of(choices.items.begin(), choices.items.end(), [&](const PhoneNumber& item) {
                return std::strcmp(item.digitForm(), dialString.digitForm()) == 0;
            });
        if (!listed)
            choices.items.push_back(dialString);
    }
    if (dialStrings.fromEnabledRules == 0)
        return choices;
    // Matched whole: a prefix match would pick an earlier item that merely begins with it,
    // and the user would dial a number no rule proposed.
    const char* wanted = dialStrings.numbers.front().digitForm();
    for (std::size_t i = 0; i < choices.items.size(); ++i) {
        if (std::strcmp(choices.items[i].digitForm(), wanted) == 0) {
            choices.selected = i;
            break;
        }
    }
    return choices;
}

} // namespace vellix
