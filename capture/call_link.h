#pragma once

#include "capture/phone_number.h"

#include <string_view>

namespace vellix {

// Decodes a "tel:" or "callto:" link as a browser or mail program hands it over on the
// command line: blanks around it and one pair of enclosing double quotes are dropped, the
// scheme's case is ignored, "//" after it is skipped, and everything from the first ';' (the
// parameters, such as "phone-context" and "ext") or '?' on is left out. The rest is
// percent-decoded and must hold at least one dialable character and nothing but dialable
// characters, '+', blanks and the visual separators "-", ".", "(" and ")"; these stay in the
// number's text and separate the groups of its digit form. False, with number untouched,
// for anything else and for a number of more than PhoneNumber::MAX_TEXT_LENGTH characters.
// Reads nothing outside link.
bool decodeCallLink(std::string_view link, PhoneNumber& number);

// The label of a number that came from a link.
constexpr char LINK_LABEL[] = "Link";

} // namespace vellix
