#include "capture/call_link.h"

#include "capture/digit_string.h"
#include "capture/number_reading.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace vellix {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Drops scheme (lower case, colon included) from the front of text when text starts with it
// in any letter case.
bool skipScheme(std::string_view& text, std::string_view scheme) {
    if (text.size() < scheme.size())
        return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        if (lowerAscii(text[i]) != scheme[i])
            return false;
    }
    text.remove_prefix(scheme.size());
    return true;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = lowerAscii(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

bool isNumberCharacter(char c) {
    switch (c) {
    case '+':
    case ' ':
    case '-':
    case '.':
    case '(':
    case ')':
        return true;
    default:
        return isDialable(c) || (lowerAscii(c) >= 'a' && lowerAscii(c) <= 'z');
    }
}

// Percent-decodes text into out; false for a malformed escape, a character no number is
// written with, or a text longer than out holds.
bool decodeNumberPart(std::string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%') {
            const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
            const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
            if (low < 0)
                return false;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (!isNumberCharacter(c) || out.size() + 1 >= READING_CAPACITY)
            return false;
        out += c;
    }
    return true;
}

// The value of the link's "ext" parameter ("ext=204"), percent-decoded; empty without one.
std::string extensionParameter(std::string_view parameters) {
    while (!parameters.empty()) {
        parameters.remove_prefix(1); // the ';' or '?' in front
        const std::size_t end = parameters.find_first_of(";?&");
        const std::string_view parameter = parameters.substr(0, end);
        parameters = end == std::string_view::npos ? std::string_view() : parameters.substr(end);
        constexpr std::string_view KEY = "ext=";
        std::string key(parameter.substr(0, KEY.size()));
        std::transform(key.begin(), key.end(), key.begin(), lowerAscii);
        if (key == KEY) {
            std::string value;
            return decodeNumberPart(parameter.substr(KEY.size()), value) ? value : std::string();
        }
    }
    return {};
}

bool hasLetter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const char lower = lowerAscii(c);
        return lower >= 'a' && lower <= 'z';
    });
}

} // namespace

bool decodeCallLink(std::string_view link, PhoneNumber& number) {
    link = trimBlanks(link);
    if (link.size() >= 2 && link.front() == '"' && link.back() == '"')
        link = trimBlanks(link.substr(1, link.size() - 2));
    if (!skipScheme(link, "tel:") && !skipScheme(link, "callto:"))
        return false;
    if (link.substr(0, 2) == "//")
        link.remove_prefix(2);
    const std::size_t parameters = std::min(link.find_first_of(";?"), link.size());

    std::string written;
    if (!decodeNumberPart(link.substr(0, parameters), written))
        return false;
    // A link is there to be dialed: its letters are a vanity number's, in any case, or the
    // link names no number ("callto:echo123").
    const std::string_view part = written;
    const std::size_t start = part.find_first_of("+0123456789*#");
    if (start == std::string_view::npos)
        return false;
    if (hasLetter(part)) {
        const std::size_t end = start + vanityNumberEnd(part.substr(start), LetterCase::ANY);
        if (end == start || hasLetter(part.substr(0, start)) || hasLetter(part.substr(end)))
            return false;
    }
    const std::string extension = extensionParameter(link.substr(parameters));
    if (!extension.empty())
        written += ";ext=" + extension;
    NumberReading reading = readNumber(written, LetterCase::ANY);
    if (!hasNumber(reading))
        return false;
    std::string text = shownNumber(reading);
    // An extension too long for a number's text is left to be dialed by hand.
    if (text.size() > PhoneNumber::MAX_TEXT_LENGTH)
        text = reading.number;
    PhoneNumber decoded;
    if (!decoded.setText(text.c_str()) || decoded.digitForm()[0] == '\0')
        return false;
    number = decoded;
    return true;
}

} // namespace vellix
