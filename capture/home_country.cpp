#include "capture/home_country.h"

#include "capture/digit_string.h"
#include "capture/number_reading.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace vellix {

namespace {

struct Country {
    const char* callingCode;
    // Dialed in front of a national number within the country; empty where the country has
    // none (the digits after the country code are dialed as they are).
    const char* trunkPrefix;
};

// North America (1) is handled on its own: its trunk 1 is not part of the national form.
constexpr Country COUNTRIES[] = {
    {"7", "8"},   {"20", "0"},  {"27", "0"},  {"30", ""},   {"31", "0"},  {"32", "0"},
    {"33", "0"},  {"34", ""},   {"36", "06"}, {"39", ""},   {"40", "0"},  {"41", "0"},
    {"43", "0"},  {"44", "0"},  {"45", ""},   {"46", "0"},  {"47", ""},   {"48", ""},
    {"49", "0"},  {"51", "0"},  {"52", ""},   {"54", "0"},  {"55", "0"},  {"58", "0"},
    {"60", "0"},  {"61", "0"},  {"62", "0"},  {"63", "0"},  {"64", "0"},  {"65", ""},
    {"66", "0"},  {"81", "0"},  {"82", "0"},  {"84", "0"},  {"86", "0"},  {"90", "0"},
    {"91", "0"},  {"92", "0"},  {"94", "0"},  {"98", "0"},  {"212", "0"}, {"213", "0"},
    {"234", "0"}, {"254", "0"}, {"255", "0"}, {"256", "0"}, {"351", ""},  {"352", ""},
    {"353", "0"}, {"354", ""},  {"355", "0"}, {"356", ""},  {"357", ""},  {"358", "0"},
    {"359", "0"}, {"371", ""},  {"372", ""},  {"375", "8"}, {"377", ""},  {"378", ""},
    {"380", "0"}, {"381", "0"}, {"385", "0"}, {"386", "0"}, {"387", "0"}, {"389", "0"},
    {"420", ""},  {"421", "0"}, {"852", ""},  {"853", ""},  {"880", "0"}, {"886", "0"},
    {"961", "0"}, {"962", "0"}, {"963", "0"}, {"966", "0"}, {"971", "0"}, {"972", "0"},
    {"974", ""},
};

constexpr std::string_view NORTH_AMERICA = "1";
constexpr std::size_t NORTH_AMERICAN_DIGITS = 10;

const Country* findCountry(std::string_view callingCode) {
    const auto* const found =
        std::find_if(std::begin(COUNTRIES), std::end(COUNTRIES),
                     [&](const Country& country) { return callingCode == country.callingCode; });
    return found == std::end(COUNTRIES) ? nullptr : found;
}

std::size_t countDigits(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), isDigit));
}

// The rest of a digit form after its leading code (a '+' and the country code, or the trunk
// 1), without the space that may follow it; nothing when the form does not start so.
bool afterCode(std::string_view form, std::string_view code, std::string_view& rest) {
    if (form.substr(0, code.size()) != code || form.size() == code.size())
        return false;
    rest = form.substr(code.size());
    if (rest.front() == ' ')
        rest.remove_prefix(1);
    return !rest.empty() && isDigit(rest.front());
}

std::string northAmericanForm(std::string_view form) {
    std::string_view rest;
    // A national number of ten digits whose area code starts with 2 to 9.
    if ((afterCode(form, "+1", rest) || afterCode(form, "1", rest)) && rest.front() >= '2' &&
        countDigits(rest) == NORTH_AMERICAN_DIGITS &&
        std::all_of(rest.begin(), rest.end(), [](char c) { return isDigit(c) || c == ' '; }))
        return std::string(rest);
    return std::string(form);
}

} // namespace

bool isKnownHomeCountry(std::string_view callingCode) {
    return callingCode == NORTH_AMERICA || findCountry(callingCode) != nullptr;
}

std::string nationalForm(const char* digitForm, std::string_view homeCallingCode) {
    const std::string_view form(digitForm);
    if (homeCallingCode == NORTH_AMERICA)
        return northAmericanForm(form);
    const Country* country = findCountry(homeCallingCode);
    std::string_view rest;
    if (country == nullptr || !afterCode(form, "+" + std::string(homeCallingCode), rest))
        return std::string(form);
    const std::string_view trunk = country->trunkPrefix;
    // "+44 020 ..." is written wrongly; with another 0 in front it would dial abroad.
    if (!trunk.empty() && rest.substr(0, trunk.size()) == trunk)
        return std::string(form);
    return std::string(trunk) + std::string(rest);
}

void readInHomeCountry(CapturedNumberList& numbers, std::string_view homeCallingCode) {
    CapturedNumberList read;
    read.reserve(numbers.size());
    for (const CapturedNumber& entry : numbers) {
        NumberReading reading = readNumber(entry.number().text());
        const std::string national = nationalForm(reading.number, homeCallingCode);
        // A number read at home as it is written keeps its text.
        CapturedNumber localized = entry;
        if (national != reading.number) {
            std::memcpy(reading.number, national.c_str(),
                        std::min(national.size() + 1, sizeof reading.number));
            std::string text = shownNumber(reading);
            // An extension too long to go with the number is left to be dialed by hand.
            if (text.size() > PhoneNumber::MAX_TEXT_LENGTH)
                text = reading.number;
            localized = CapturedNumber(text.c_str(), entry.kind(), entry.label());
        }
        const std::string shown = shownNumber(readNumber(localized.number().text()));
        const bool repeated =
            std::any_of(read.begin(), read.end(), [&](const CapturedNumber& earlier) {
                return shownNumber(readNumber(earlier.number().text())) == shown;
            });
        if (!repeated)
            read.push_back(localized);
    }
    numbers = std::move(read);
}

} // namespace vellix
