#pragma once

#include "capture/captured_number.h"
#include "shell/desktop.h"

#include <windows.h>

namespace vellix {

// The window property that holds the clipboard sequence number of the content last read, so
// that a companion program (or a test) that changed the clipboard can wait until it is taken in.
inline constexpr const char* CLIPBOARD_READ_PROPERTY = "Vellix.ClipboardRead";

// Appends the numbers on the clipboard: those of a "NameValuePairList" block when there is
// one (the plain text is then not consulted), otherwise those of the plain text
// (readCopiedText, searching a longer text when findInText is set). Opens the clipboard
// once for both; BUSY when another program holds it open.
ClipboardRead readClipboardNumbers(HWND window, CapturedNumberList& out, bool findInText);

// The clipboard format listener, which no other program can cut off or hang, unlike the old
// viewer chain. Every Windows since Vista has it; false where the system lacks it.
bool listenToClipboard(HWND window);
void stopListeningToClipboard(HWND window);

} // namespace vellix
