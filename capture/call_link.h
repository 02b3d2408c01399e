#pragma once

#include "capture/phone_number.h"

#include <string_view>

namespace vellix {

// Decodes a "tel:" or "callto:" link as a browser or mail program hands it over on the
// command line: blanks around it and one pair of enclosing double quotes are dropped, the
// scheme's case is ignored, "//" after it is skipped, and the parameters from the first ';'
// or '?' on are left out but for the extension ("ext=204"). The number is percent-decoded
// and must be written with dialable characters, '+', blanks, "-", ".", "(" and ")" and the
// letters of a vanity number; its text becomes its reading: the digit form and the extension
// ("+1 800 356 9377 x204"). False, with number untouched, for anything else and for a
// reading of more than PhoneNumber::MAX_TEXT_LENGTH characters. Reads nothing outside link.
bool decodeCallLink(std::string_view link, PhoneNumber& number);

// The label of a number that came from a link.
constexpr char LINK_LABEL[] = "Link";

} // namespace vellix
