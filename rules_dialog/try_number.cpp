#include "rules_dialog/try_number.h"

#include "capture/phone_number.h"
#include "rules/dial_choices.h"

namespace vellix {

std::string tryText(const RuleRowList& rows, const std::string& typed) {
    if (typed.empty())
        return "";
    PhoneNumber number;
    if (!number.setText(typed.c_str()))
        return NO_RULE_APPLIES_TEXT;
    RuleSet rules = collectRules(rows);
    const DialChoices choices = dialChoicesFor(number, rules);
    if (!choices.rewritten)
        return NO_RULE_APPLIES_TEXT;
    // The digit form is listed only when it is what the box would select.
    std::string text = choices.items[choices.selected].digitForm();
    for (std::size_t i = 1; i < choices.items.size(); ++i) {
        if (i != choices.selected)
            text += std::string(", ") + choices.items[i].digitForm();
    }
    return text;
}

} // namespace vellix
