#include "app/start_options.h"

namespace vellix {

namespace {

constexpr std::string_view DATA_FOLDER_OPTION = "--data-folder";

std::string_view skipBlanks(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

} // namespace

StartOptions readStartOptions(std::string_view commandLine) {
    StartOptions options;
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
