#pragma once

#include <string>

namespace vellix {

// The "tel:" URI that hands a dial text to the system's call handler: the text read as a
// typed number is (readNumber), its digit form without blanks ('+' kept, '#' escaped since
// it would start a fragment), then any extension as the "ext" parameter. Empty when no digit
// remains: there is no one to call.
std::string telUri(const char* dialText);

} // namespace vellix
