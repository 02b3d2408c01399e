#include "app/dialing.h"

namespace vellix {

void dial(Desktop& desktop, DataFiles& files, ShellState& state) {
    char text[DIAL_TEXT_CAPACITY] = {};
    desktop.readNumberBox(text, sizeof text);
    // Ctrl teaches a pair without calling, for numbers dialed some other way.
    if (!desktop.isLeftCtrlDown())
        desktop.requestCall(text);

    const PhoneNumber dialed(text);
    if (text[0] == '\0' || state.proposedNumber.digitForm()[0] == '\0')
        return;
    NumberPair pair;
    pair.setNumbers(state.proposedNumber.text(), dialed.text());
    if (!pair.isLearnable())
        return;
    state.history.push_back(pair);
    // A failed save keeps the pair in memory; the next save writes it.
    files.saveHistory(state.history);
    rederiveWorkingRules(state);
}

} // namespace vellix
