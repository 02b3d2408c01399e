#include "app/presentation.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vellix {

void presentCapturedNumbers(Desktop& desktop, const CapturedNumberList& numbers,
                            PhoneNumber& proposedNumber, RuleSet& workingRules) {
    if (numbers.empty())
        return;
    const CapturedNumber& first = numbers.front();
    presentNumber(desktop, first, proposedNumber, workingRules);
    if (numbers.size() == 1)
        desktop.showSingleNumberLayout();
    else
        desktop.showSeveralNumbersLayout(first.kind(), first.label());
    desktop.showWindow(ShowCommand::SHOW_NORMAL);
}

void presentNumber(Desktop& desktop, const CapturedNumber& entry, PhoneNumber& proposedNumber,
                   RuleSet& workingRules) {
    desktop.setNumberButtonImage(entry.kind());
    fillNumberBox(desktop, PhoneNumber(entry.number().text()), proposedNumber, workingRules);
}

void fillNumberBox(Desktop& desktop, const PhoneNumber& number, PhoneNumber& proposedNumber,
                   RuleSet& workingRules) {
    desktop.clearNumberBox();
    proposedNumber = number;
    desktop.appendToNumberBox(number.digitForm());
    desktop.setNumberBoxText(number.digitForm());

    const DialStrings dialStrings = rankedDialStrings(number, workingRules);
    std::vector<const char*> items{number.digitForm()};
    for (const PhoneNumber& dialString : dialStrings.numbers) {
        if (std::strcmp(dialString.digitForm(), number.digitForm()) == 0)
            continue;
        desktop.appendToNumberBox(dialString.digitForm());
        items.push_back(dialString.digitForm());
    }

    // The best enabled rule's dial string, matched whole: a prefix match would pick an
    // earlier item that merely begins with it, and the user would dial a number no rule
    // proposed. A rule the user switched off never dials unless picked by hand.
    const char* wanted = dialStrings.fromEnabledRules == 0
                             ? number.digitForm()
                             : dialStrings.numbers.front().digitForm();
    const auto found = std::find_if(items.begin(), items.end(), [wanted](const char* item) {
        return std::strcmp(item, wanted) == 0;
    });
    if (found != items.end())
        desktop.selectNumberBoxItem(static_cast<std::size_t>(found - items.begin()));
}

} // namespace vellix
