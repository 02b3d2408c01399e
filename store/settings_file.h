#pragma once

#include <iosfwd>
#include <string>

namespace vellix {

// Where Dial sends a call: as the PC is set up, or the one the user chose on the icon's menu.
enum class DialRoute {
    AUTOMATIC,
    // The assisted-telephony request, which an office phone system's software takes.
    TELEPHONY,
    // The program the user chose for "tel:" links (a softphone, Teams, a phone link app).
    TEL_LINK,
};

// The user's choices, kept in a small text file beside the data files.
struct Settings {
    // Whether a copied text longer than a number is searched for the numbers in it.
    bool findNumbersInText = true;
    // The calling code of the user's own country ("1", "44"), whose numbers are read in
    // their national form; empty for the one of the system's regional settings.
    std::string homeCountry;
    DialRoute dialWith = DialRoute::AUTOMATIC;
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
// saying otherwise turns searching off, only one to three digits (a '+' in front is
// allowed) name a home country, and only "telephony" or "link" choose where calls go.
void readSettings(std::istream& stream, Settings& settings);

} // namespace vellix
