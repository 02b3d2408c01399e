#include "capture/call_link.h"

#include "capture/digit_string.h"

#include <array>
#include <cstddef>

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
        return isDialable(c);
    }
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
    link = link.substr(0, link.find_first_of(";?"));

    std::array<char, PhoneNumber::MAX_TEXT_LENGTH + 1> text{};
    std::size_t length = 0;
    for (std::size_t i = 0; i < link.size(); ++i) {
        char c = link[i];
        if (c == '%') {
            const int high = i + 2 < link.size() ? hexValue(link[i + 1]) : -1;
            const int low = high >= 0 ? hexValue(link[i + 2]) : -1;
            if (low < 0)
                return false;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (!isNumberCharacter(c))
            return false;
        if (length == PhoneNumber::MAX_TEXT_LENGTH)
            return false;
        text[length++] = c;
    }
    PhoneNumber decoded;
    if (!decoded.setText(text.data()) || decoded.digitForm()[0] == '\0')
        return false;
    number = decoded;
    return true;
}

} // namespace vellix
