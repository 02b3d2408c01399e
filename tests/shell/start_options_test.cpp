#include "shell/start_options.h"

#include <gtest/gtest.h>

namespace vellix {
namespace {

TEST(StartOptions, TakeTheDataFolderAndLeaveTheLink) {
    struct Case {
        const char* commandLine;
        const char* dataFolder;
        const char* link;
        InstallerRequest installer = InstallerRequest::NONE;
    };
    const Case cases[] = {
        {"", "", ""},
        {"\"tel:+1-412-268-1234\"", "", "\"tel:+1-412-268-1234\""},
        {"--data-folder D:\\Data", "D:\\Data", ""},
        {"--data-folder \"C:\\My Data\\Vellix\" \"tel:555-0100\"", "C:\\My Data\\Vellix",
         "\"tel:555-0100\""},
        {"  --data-folder=D:\\Data  tel:555-0100", "D:\\Data", "tel:555-0100"},
        // An unclosed quote takes the rest as the folder.
        {"--data-folder \"C:\\Data tel:1", "C:\\Data tel:1", ""},
        // Only the option itself counts.
        {"tel:--data-folder", "", "tel:--data-folder"},
        // An installer's request is the whole command line.
        {" --close ", "", "", InstallerRequest::CLOSE},
        {"--close-for-update", "", "", InstallerRequest::CLOSE_FOR_UPDATE},
        {"--reopen-after-update", "", "", InstallerRequest::REOPEN_AFTER_UPDATE},
        {"--close tel:555-0100", "", "--close tel:555-0100"},
        {"--closer", "", "--closer"},
    };
    for (const Case& c : cases) {
        const StartOptions options = readStartOptions(c.commandLine);
        EXPECT_EQ(options.dataFolder, c.dataFolder) << c.commandLine;
        EXPECT_EQ(options.link, c.link) << c.commandLine;
        EXPECT_EQ(options.installer, c.installer) << c.commandLine;
    }
}

} // namespace
} // namespace vellix
