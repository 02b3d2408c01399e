#pragma once

#include <string>

namespace vellix {

// The "tel:" URI that hands a dial text to the system's call handler: its dialable
// characters only, '#' escaped since it would start a fragment. Just "tel:" when the text
// holds no dialable character.
std::string telUri(const char* dialText);

} // namespace vellix
