#include "store/settings_file.h"

#include "store/file_replace.h"
#include "store/line_reader.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>

namespace vellix {

namespace {

constexpr std::string_view FIND_NUMBERS_KEY = "FindNumbersInText=";
constexpr std::string_view HOME_COUNTRY_KEY = "HomeCountry=";
constexpr std::string_view DIAL_WITH_KEY = "DialWith=";
constexpr std::string_view DIAL_WITH_TELEPHONY = "telephony";
constexpr std::string_view DIAL_WITH_LINK = "link";
constexpr std::size_t LONGEST_CALLING_CODE = 3;

// One to three digits, as written after a '+' or not.
bool readCallingCode(std::string_view value, std::string& code) {
    if (!value.empty() && value.front() == '+')
        value.remove_prefix(1);
    if (value.empty() || value.size() > LONGEST_CALLING_CODE ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    code = std::string(value);
    return true;
}

} // namespace

bool writeSettings(std::ostream& stream, const Settings& settings) {
    stream << "[Vellix]\r\n"
           << FIND_NUMBERS_KEY << (settings.findNumbersInText ? "1" : "0") << "\r\n";
    // Unset, the home country follows the regional settings wherever they change.
    if (!settings.homeCountry.empty())
        stream << HOME_COUNTRY_KEY << settings.homeCountry << "\r\n";
    // Unset, calls go where the PC is set up to send them, as that changes.
    if (settings.dialWith != DialRoute::AUTOMATIC)
        stream << DIAL_WITH_KEY
               << (settings.dialWith == DialRoute::TELEPHONY ? DIAL_WITH_TELEPHONY : DIAL_WITH_LINK)
               << "\r\n";
    return stream.good();
}

void readSettings(std::istream& stream, Settings& settings) {
    LineReader lines(stream);
    while (lines.next()) {
        if (!lines.isText())
            continue;
        const std::string_view line = trimBlanks(lines.text());
        if (line.substr(0, FIND_NUMBERS_KEY.size()) == FIND_NUMBERS_KEY) {
            const std::string_view value = line.substr(FIND_NUMBERS_KEY.size());
            if (value == "0" || value == "1")
                settings.findNumbersInText = value == "1";
        } else if (line.substr(0, HOME_COUNTRY_KEY.size()) == HOME_COUNTRY_KEY) {
            readCallingCode(trimBlanks(line.substr(HOME_COUNTRY_KEY.size())), settings.homeCountry);
        } else if (line.substr(0, DIAL_WITH_KEY.size()) == DIAL_WITH_KEY) {
            const std::string_view value = trimBlanks(line.substr(DIAL_WITH_KEY.size()));
            if (value == DIAL_WITH_TELEPHONY)
                settings.dialWith = DialRoute::TELEPHONY;
            else if (value == DIAL_WITH_LINK)
                settings.dialWith = DialRoute::TEL_LINK;
        }
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
