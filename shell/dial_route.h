#pragma once

#include "store/settings_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vellix {

// What the PC is set up to place calls with, as the desktop finds it.
struct CallHandlers {
    // A program other than the system's own Phone Dialer takes assisted-telephony requests.
    bool telephonyRecipient = false;
    // The name of the program the user chose for "tel:" links; empty when none is.
    std::string linkProgram;
    // That program is Vellix itself, which would only propose the number again.
    bool linkProgramIsOwn = false;
};

// How a call request ended.
enum class CallResult : std::int32_t {
    PLACED,
    // Nothing takes the telephony request, and no other program takes "tel:" links.
    NO_TELEPHONY,
    // No program but Vellix takes "tel:" links.
    NO_LINK_PROGRAM,
    // The program that places calls did not take it (did not start, or refused it).
    FAILED,
};

// The route Dial takes: the user's choice, or else what the PC is set up for: the telephony
// request when a program other than Phone Dialer takes it (an office phone system's
// software), otherwise the "tel:" program when one other than Vellix is chosen, otherwise
// the telephony request.
DialRoute effectiveRoute(DialRoute chosen, const CallHandlers& handlers);

// Whether a telephony priority list (the "RequestMakeCall" entry: module names, each in
// double quotes) names a program other than Phone Dialer.
bool namesTelephonyRecipient(std::string_view priorities);

} // namespace vellix
