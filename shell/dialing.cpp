#include "shell/dialing.h"

namespace vellix {

CallResult placeCall(Desktop& desktop, const char* address, DialRoute chosen) {
    const CallHandlers handlers = desktop.callHandlers();
    const DialRoute route = effectiveRoute(chosen, handlers);
    CallResult result = desktop.requestCall(address, route);
    if (result == CallResult::NO_TELEPHONY && !handlers.linkProgram.empty() &&
        !handlers.linkProgramIsOwn)
        result = desktop.requestCall(address, DialRoute::TEL_LINK);
    if (result == CallResult::PLACED)
        desktop.showCallPlaced();
    else
        desktop.showCallFailure(result);
    return result;
}

void dial(Desktop& desktop, DataFiles& files, ShellState& state, DialRoute chosen) {
    char text[DIAL_TEXT_CAPACITY] = {};
    desktop.readNumberBox(text, sizeof text);
    // Typed to be dialed: a word there is a vanity number, whatever its case.
    const NumberReading reading = readNumber(text, LetterCase::ANY);
    if (!hasNumber(reading))
        return;
    // Ctrl teaches a pair without calling, for numbers dialed some other way.
    if (!desktop.isLeftCtrlDown())
        placeCall(desktop, dialAddress(reading).c_str(), chosen);

    // A dial string too long for a number's text is dialed, not learned from.
    const PhoneNumber dialed(reading.number);
    if (dialed.digitForm()[0] == '\0' || state.proposedNumber.digitForm()[0] == '\0')
        return;
    NumberPair pair;
    pair.setNumbers(state.proposedNumber.text(), dialed.text());
    if (!state.history.add(pair))
        return;
    rederiveWorkingRules(state);
    // A failed save keeps the pair in memory; the next save writes it.
    saveDialedPair(files, state, pair);
}

} // namespace vellix
