#pragma once

#include "app/desktop.h"
#include "capture/captured_number.h"

#include <windows.h>

namespace vellix {

// Appends the numbers on the clipboard: those of a "NameValuePairList" block when there is
// one (the plain text is then not consulted), otherwise those of the plain text
// (readCopiedText, searching a longer text when findInText is set). Opens the clipboard
// once for both; BUSY when another program holds it open.
ClipboardRead readClipboardNumbers(HWND window, CapturedNumberList& out, bool findInText);

} // namespace vellix
