#pragma once

#include "shell/dial_route.h"

namespace vellix {

// What this PC places calls with: a telephony recipient other than Phone Dialer in the
// user's telephony priority list, and the program the user chose for "tel:" links.
CallHandlers findCallHandlers();

// Asks for a call to address by the route given: the assisted-telephony request, or the
// "tel:" program (never Vellix itself, which would only propose the number again).
CallResult requestCall(const char* address, DialRoute route);

} // namespace vellix
