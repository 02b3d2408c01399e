#include "shell/tel_uri.h"

#include "capture/number_reading.h"

namespace vellix {

namespace {

// The dialable characters of a digit form or an extension, '#' escaped since it would start
// the URI's fragment.
void appendDialable(std::string& uri, const char* digits) {
    for (const char* c = digits; *c != '\0'; ++c) {
        if (*c == '#')
            uri += "%23";
        else if (*c != ' ')
            uri += *c;
    }
}

} // namespace

std::string telUri(const char* dialText) {
    const NumberReading reading = readNumber(dialText, LetterCase::ANY);
    if (!hasNumber(reading))
        return {};
    std::string uri = "tel:";
    appendDialable(uri, reading.number);
    if (reading.extension[0] != '\0') {
        uri += ";ext=";
        appendDialable(uri, reading.extension);
    }
    return uri;
}

} // namespace vellix
