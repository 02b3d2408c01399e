#pragma once

#include "app/desktop.h"
#include "capture/captured_number.h"
#include "capture/phone_number.h"

#include <windows.h>

namespace vellix {

// Appends the numbers on the clipboard: those of a "NameValuePairList" block when there is
// one (the plain text is then not consulted), otherwise the plain text as one number
// labelled "Default". Opens the clipboard once for both; BUSY when another program holds it
// open.
ClipboardRead readClipboardNumbers(HWND window, CapturedNumberList& out);

// Sets number from the plain text of the clipboard, which the caller has opened; true when
// there was text and it was taken.
bool readClipboardText(PhoneNumber& number);

} // namespace vellix
