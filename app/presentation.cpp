#include "app/presentation.h"

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
                   RuleSet& /*workingRules*/) {
    desktop.clearNumberBox();
    proposedNumber = number;
    desktop.appendToNumberBox(number.digitForm());
    desktop.setNumberBoxText(number.digitForm());
    desktop.selectInNumberBox(number.digitForm());
}

} // namespace vellix
