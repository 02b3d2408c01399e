#include "shell/dial_route.h"

#include <algorithm>
#include <cctype>

namespace vellix {

DialRoute effectiveRoute(DialRoute chosen, const CallHandlers& handlers) {
    if (chosen != DialRoute::AUTOMATIC)
        return chosen;
    if (handlers.telephonyRecipient)
        return DialRoute::TELEPHONY;
    if (!handlers.linkProgram.empty() && !handlers.linkProgramIsOwn)
        return DialRoute::TEL_LINK;
    return DialRoute::TELEPHONY;
}

namespace {

// The file name of a module named by path or alone, compared without case.
bool isPhoneDialer(std::string_view module) {
    const std::size_t slash = module.find_last_of("\\/");
    if (slash != std::string_view::npos)
        module.remove_prefix(slash + 1);
    constexpr std::string_view DIALER = "dialer.exe";
    return module.size() == DIALER.size() &&
           std::equal(module.begin(), module.end(), DIALER.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

bool namesTelephonyRecipient(std::string_view priorities) {
    // Quoted names; a list written without quotes is one name.
    while (!priorities.empty()) {
        const std::size_t open = priorities.find('"');
        std::string_view name;
        if (open == std::string_view::npos) {
            name = priorities;
            priorities = {};
        } else {
            const std::size_t close = priorities.find('"', open + 1);
            name =
                priorities.substr(open + 1, close == std::string_view::npos ? std::string_view::npos
                                                                            : close - open - 1);
            priorities =
                close == std::string_view::npos ? std::string_view{} : priorities.substr(close + 1);
        }
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        if (!name.empty() && !isPhoneDialer(name))
            return true;
    }
    return false;
}

} // namespace vellix
