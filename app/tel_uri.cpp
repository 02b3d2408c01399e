#include "app/tel_uri.h"

namespace vellix {

namespace {

// The keypad digit of a letter, either case, as printed on a phone; 0 for any other byte.
char keypadDigit(char c) {
    static const char KEYS[] = "22233344455566677778889999";
    if (c >= 'a' && c <= 'z')
        return KEYS[c - 'a'];
    if (c >= 'A' && c <= 'Z')
        return KEYS[c - 'A'];
    return 0;
}

} // namespace

std::string telUri(const char* dialText) {
    std::string uri = "tel:";
    const std::size_t start = uri.size();
    bool digits = false;
    for (const char* c = dialText; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9') {
            uri += *c;
            digits = true;
        } else if (const char key = keypadDigit(*c)) {
            uri += key;
            digits = true;
        } else if (*c == '*') {
            uri += '*';
        } else if (*c == '#') {
            uri += "%23";
        } else if (*c == '+' && uri.size() == start) {
            uri += '+';
        }
    }
    return digits ? uri : std::string();
}

} // namespace vellix
