#pragma once

#include "capture/captured_number.h"
#include "shell/desktop.h"

#include <cstddef>

namespace vellix {

// Room for one item text of the number menu, terminator included.
constexpr std::size_t NUMBER_MENU_TEXT_CAPACITY = 260;

// "label (number)", or the number alone when it has no label, the number as its reading
// shows it; empty when that would not fit with its terminator.
void formatNumberMenuItem(const char* label, const char* number,
                          char (&text)[NUMBER_MENU_TEXT_CAPACITY]);

// Item i stands for entry i and sends CMD_PICK_FIRST + i. Returns the items inserted.
std::size_t addNumberMenuItems(Desktop& desktop, MenuHandle menu,
                               const CapturedNumberList& capturedNumbers);

// Builds the menu afresh, opens it below the number button and destroys it once it closes;
// the chosen item arrives later as a command. Returns 0, the default answer to the
// toolbar's drop-down notification.
int showNumberMenu(Desktop& desktop, const CapturedNumberList& capturedNumbers);

} // namespace vellix
