#pragma once

#include <string>
#include <string_view>

namespace vellix {

// What Vellix is started with: an explicit data folder ("--data-folder FOLDER", the folder
// in double quotes when it holds blanks) and then a "tel:" or "callto:" link, or nothing.
struct StartOptions {
    std::string dataFolder;
    std::string_view link;
};

// Reads the command line; anything that is not the option is the link, untrusted.
StartOptions readStartOptions(std::string_view commandLine);

} // namespace vellix
