#pragma once

#include <iosfwd>
#include <string>

namespace vellix {

// The user's choices, kept in a small text file beside the data files.
struct Settings {
    // Whether a copied text longer than a number is searched for the numbers in it.
    bool findNumbersInText = true;
    // The calling code of the user's own country ("1", "44"), whose numbers are read in
    // their national form; empty for the one of the system's regional settings.
    std::string homeCountry;
};

// "[Vellix]" and one "key=value" line a setting, CR LF line ends.
constexpr const char* SETTINGS_FILE = "Vellix.ini";

// Replaces the settings file; false, with the previous file intact, when that fails.
bool saveSettings(const Settings& settings);
// Reads the settings file over the defaults; false when it cannot be opened, which leaves
// the defaults.
bool loadSettings(Settings& settings);

bool writeSettings(std::ostream& stream, const Settings& settings);
// A missing or unreadable line leaves its setting at the default: only a well-formed line
// saying otherwise turns searching off, and only one to three digits (a '+' in front is
// allowed) name a home country.
void readSettings(std::istream& stream, Settings& settings);

} // namespace vellix
