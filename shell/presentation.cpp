#include "shell/presentation.h"

#include "capture/number_reading.h"
#include "rules/dial_choices.h"

#include <string>

#include <cstddef>

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
        // The button's tooltip names the number, by its label or else by itself.
        desktop.showSeveralNumbersLayout(
            first.kind(), first.label()[0] != '\0' ? first.label() : first.number().text());
    // A copy is made in another program, which keeps the keyboard: Windows would refuse a
    // background program the foreground anyway, and Enter there must not dial here.
    desktop.showWindow(ShowCommand::SHOW_NO_ACTIVATE);
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
    // The rules rewrite the number; its extension goes with every way of dialing it.
    const std::string extension = shownExtension(readNumber(number.text()));
    const std::string shown = number.digitForm() + extension;
    desktop.appendToNumberBox(shown.c_str());
    desktop.setNumberBoxText(shown.c_str());
    const DialChoices choices = dialChoicesFor(number, workingRules);
    for (std::size_t i = 1; i < choices.items.size(); ++i)
        desktop.appendToNumberBox((choices.items[i].digitForm() + extension).c_str());
    desktop.selectNumberBoxItem(choices.selected);
}

} // namespace vellix
