#pragma once

#include "rules/dialing_rule.h"

#include <iosfwd>

namespace vellix {

// One confirmed rule a line, "Dial <pattern> as <replacement> (active)" and CR LF, in the
// current directory.
constexpr const char* RULES_FILE = "DialingRules.dat";

// Replaces the rules file; false, with the previous file intact, when that fails.
bool saveRules(const RuleSet& rules);
// Appends the stored rules, all verified; false when the file cannot be opened.
bool loadRules(RuleSet& rules);

bool writeRules(std::ostream& stream, const RuleSet& rules);
bool readRules(std::istream& stream, RuleSet& rules);

} // namespace vellix
