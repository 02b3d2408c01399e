#pragma once

#include <string>
#include <string_view>

namespace vellix {

// What an installer starts Vellix for, as the whole command line: to close the running one
// before the program is removed ("--close") or replaced ("--close-for-update"), and to start
// it again after an update when one was closed for it ("--reopen-after-update").
enum class InstallerRequest { NONE, CLOSE, CLOSE_FOR_UPDATE, REOPEN_AFTER_UPDATE };

// What Vellix is started with: an explicit data folder ("--data-folder FOLDER", the folder
// in double quotes when it holds blanks) and then a "tel:" or "callto:" link, or nothing.
struct StartOptions {
    std::string dataFolder;
    std::string_view link;
    InstallerRequest installer = InstallerRequest::NONE;
};

// Reads the command line; anything that is not the option is the link, untrusted.
StartOptions readStartOptions(std::string_view commandLine);

} // namespace vellix
