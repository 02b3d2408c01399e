#pragma once

#include "app/data_files.h"
#include "app/desktop.h"
#include "app/shell_state.h"

#include <cstddef>

namespace vellix {

// Room for the text read from the number box, terminator included; longer text is cut.
constexpr std::size_t DIAL_TEXT_CAPACITY = 128;

// The Dial button: requests a call for whatever the number box holds (unless the left Ctrl
// key is down), then learns from the proposed number and the dialed text when the two share
// enough of their ends: the pair joins the history, the history is saved and the working
// rules are derived again. The number box is left as it is.
void dial(Desktop& desktop, DataFiles& files, ShellState& state);

} // namespace vellix
