#pragma once

#include "capture/captured_number.h"

#include <string>
#include <string_view>

namespace vellix {

// The user's own country is named by its calling code ("1", "44"). Its numbers are dialed
// in their national form however they are written, so that one rule serves "+1 412 268
// 4321", "1-412-268-4321" and "412-268-4321" alike.

// Whether numbers of the country with this calling code can be written in national form
// here: only countries whose trunk prefix is known are, since a wrong one dials another
// number.
bool isKnownHomeCountry(std::string_view callingCode);

// A digit form of the home country in national form: "+44 20 7946 0000" is "020 7946 0000"
// at home in the United Kingdom; in North America "+1 412 268 4321" and "1 412 268 4321" are
// "412 268 4321". Every other digit form, and every one of an unknown home country, stays.
std::string nationalForm(const char* digitForm, std::string_view homeCallingCode);

// Gives every captured number the text of its reading at home (its national form, and its
// extension as " x204"), and drops a number the list already holds.
void readInHomeCountry(CapturedNumberList& numbers, std::string_view homeCallingCode);

} // namespace vellix
