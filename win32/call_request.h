#pragma once

namespace vellix {

// Asks the user's call-handling application to dial address. Assisted telephony first; where
// it is missing or has no application to hand the call to, the handler of "tel:" URIs. The
// outcome is not reported.
void requestCall(const char* address);

} // namespace vellix
