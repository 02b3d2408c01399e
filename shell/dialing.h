#pragma once

#include "capture/number_reading.h"
#include "shell/data_files.h"
#include "shell/desktop.h"
#include "shell/shell_state.h"

#include <cstddef>

namespace vellix {

// Room for the text read from the number box, terminator included: the number box takes no
// more.
constexpr std::size_t DIAL_TEXT_CAPACITY = READING_CAPACITY;

// The Dial button: reads what the number box holds as a number (readNumber, letters in any
// case) and, when it holds a digit, requests a call for it (unless the left Ctrl key is
// down): the number, then any extension after a pause. Then learns from the proposed number
// and the dialed number when the two share enough of their ends: the pair joins the history,
// the history is saved and the working rules are derived again. Nothing dialable, nothing
// dialed or learned. The number box is left as it is.
// The call goes the route chosen, or where the PC is set up to send it (effectiveRoute);
// a telephony request that nothing takes goes to the "tel:" program when there is one other
// than Vellix. A call that cannot be placed is told.
void dial(Desktop& desktop, DataFiles& files, ShellState& state, DialRoute chosen);

// Places a call for address by the route chosen; what came of it.
CallResult placeCall(Desktop& desktop, const char* address, DialRoute chosen);

} // namespace vellix
