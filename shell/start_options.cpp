#include "shell/start_options.h"

namespace vellix {

namespace {

constexpr std::string_view DATA_FOLDER_OPTION = "--data-folder";

std::string_view skipBlanks(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

InstallerRequest installerRequest(std::string_view commandLine) {
    commandLine = skipBlanks(commandLine);
    commandLine = commandLine.substr(0, commandLine.find_last_not_of(" \t") + 1);
    if (commandLine == "--close")
        return InstallerRequest::CLOSE;
    if (commandLine == "--close-for-update")
        return InstallerRequest::CLOSE_FOR_UPDATE;
    if (commandLine == "--reopen-after-update")
        return InstallerRequest::REOPEN_AFTER_UPDATE;
    return InstallerRequest::NONE;
}

} // namespace

StartOptions readStartOptions(std::string_view commandLine) {
    StartOptions options;
    options.installer = installerRequest(commandLine);
    if (options.installer != InstallerRequest::NONE)
        return options;
    std::string_view rest = skipBlanks(commandLine);
    if (rest.substr(0, DATA_FOLDER_OPTION.size()) != DATA_FOLDER_OPTION) {
        options.link = commandLine;
        return options;
    }
    rest.remove_prefix(DATA_FOLDER_OPTION.size());
    if (!rest.empty() && rest.front() == '=')
        rest.remove_prefix(1);
    else
        rest = skipBlanks(rest);
    std::size_t end = 0;
    if (!rest.empty() && rest.front() == '"') {
        end = rest.find('"', 1);
        options.dataFolder = std::string(
            rest.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1));
        end = end == std::string_view::npos ? rest.size() : end + 1;
    } else {
        end = std::min(rest.find_first_of(" \t"), rest.size());
        options.dataFolder = std::string(rest.substr(0, end));
    }
    options.link = skipBlanks(rest.substr(end));
    return options;
}

} // namespace vellix
