#pragma once

#include <string>

namespace vellix {

// The "tel:" URI that hands a dial text to the system's call handler, dialed as a phone
// would: a leading '+' kept (a global number), letters turned into their keypad digits, the
// other dialable characters kept with '#' escaped since it would start a fragment, and
// everything else dropped. Empty when no digit remains: there is no one to call.
std::string telUri(const char* dialText);

} // namespace vellix
