#include "app/tel_uri.h"

namespace vellix {

std::string telUri(const char* dialText) {
    std::string uri = "tel:";
    for (const char* c = dialText; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9')
            uri += *c;
        else if (*c == '*')
            uri += '*';
        else if (*c == '#')
            uri += "%23";
    }
    return uri;
}

} // namespace vellix
