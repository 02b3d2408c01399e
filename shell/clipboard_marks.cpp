#include "shell/clipboard_marks.h"

namespace vellix {

bool isMarkedPrivate(const ClipboardMarks& marks) {
    return marks.excludeFromMonitors || marks.viewerIgnore ||
           (marks.historyFormat && (!marks.historyReadable || marks.historyValue == 0));
}

} // namespace vellix
