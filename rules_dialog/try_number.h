#pragma once

#include "rules_dialog/rule_row.h"

#include <string>

namespace vellix {

constexpr const char* NO_RULE_APPLIES_TEXT = "no rule applies";

// What the rows as they stand (switched on or off, confirmed, edited, deleted) make of a
// typed number: its dial strings in the order the number box would offer them, the one it
// would select first, joined by ", ". Empty while nothing is typed.
std::string tryText(const RuleRowList& rows, const std::string& typed);

} // namespace vellix
