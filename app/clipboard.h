#pragma once

#include "capture/captured_number.h"
#include "capture/phone_number.h"

#include <windows.h>

namespace vellix {

// Appends the numbers on the clipboard: those of a "NameValuePairList" block when there is
// one (the plain text is then not consulted), otherwise the plain text as one number
// labelled "Default". True when at least one number was appended.
bool readClipboardNumbers(HWND window, CapturedNumberList& out);

// Sets number from the clipboard's plain text; true when there was text and it was taken.
bool readClipboardText(HWND window, PhoneNumber& number);

} // namespace vellix
