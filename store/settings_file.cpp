#include "store/settings_file.h"

#include "store/file_replace.h"

#include <fstream>
#include <istream>
#include <ostream>
#include <string>

namespace vellix {

namespace {

constexpr const char* FIND_NUMBERS_KEY = "FindNumbersInText=";
// A longer line is no line this program wrote; the reader stops there.
constexpr std::size_t LONGEST_LINE = 256;

} // namespace

bool writeSettings(std::ostream& stream, const Settings& settings) {
    stream << "[Vellix]\r\n"
           << FIND_NUMBERS_KEY << (settings.findNumbersInText ? "1" : "0") << "\r\n";
    return stream.good();
}

void readSettings(std::istream& stream, Settings& settings) {
    const std::string key = FIND_NUMBERS_KEY;
    std::string line;
    while (std::getline(stream, line) && line.size() <= LONGEST_LINE) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == key + "0")
            settings.findNumbersInText = false;
        else if (line == key + "1")
            settings.findNumbersInText = true;
    }
}

bool saveSettings(const Settings& settings) {
    return replaceFile(SETTINGS_FILE, [&settings](std::ostream& stream) {
        return writeSettings(stream, settings);
    });
}

bool loadSettings(Settings& settings) {
    std::ifstream file(SETTINGS_FILE, std::ios::binary);
    if (!file.is_open())
        return false;
    readSettings(file, settings);
    return true;
}

} // namespace vellix
