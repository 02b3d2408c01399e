#pragma once

#include <cstdint>

namespace vellix {

// Formats a copying program adds to say its content is private: password managers mark a
// copied password so that clipboard monitors and the clipboard history leave it alone.
inline constexpr const char* EXCLUDE_FROM_MONITORS_FORMAT =
    "ExcludeClipboardContentFromMonitorProcessing";
inline constexpr const char* VIEWER_IGNORE_FORMAT = "Clipboard Viewer Ignore";
// Holds a DWORD: 0 keeps the content out of the clipboard history.
inline constexpr const char* HISTORY_FORMAT = "CanIncludeInClipboardHistory";

// What the clipboard's formats say of its content. historyValue is read only when the
// history format is there and holds a whole DWORD.
struct ClipboardMarks {
    bool excludeFromMonitors = false;
    bool viewerIgnore = false;
    bool historyFormat = false;
    bool historyReadable = false;
    std::uint32_t historyValue = 1;
};

// Whether the content is to be left unread. A history mark that cannot be read is taken as
// the copying program's wish to keep it private.
bool isMarkedPrivate(const ClipboardMarks& marks);

} // namespace vellix
