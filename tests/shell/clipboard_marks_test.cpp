#include "shell/clipboard_marks.h"

#include <gtest/gtest.h>

namespace vellix {
namespace {

TEST(ClipboardMarks, PrivateContentIsLeftUnread) {
    const struct {
        const char* what;
        ClipboardMarks marks;
        bool skipped;
    } cases[] = {
        {"no mark", {}, false},
        {"excluded from monitors", {true, false, false, false, 1}, true},
        {"viewer ignore", {false, true, false, false, 1}, true},
        {"kept out of the history", {false, false, true, true, 0}, true},
        {"allowed into the history", {false, false, true, true, 1}, false},
        {"a history mark too short to read", {false, false, true, false, 1}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isMarkedPrivate(c.marks), c.skipped) << c.what;
}

} // namespace
} // namespace vellix
