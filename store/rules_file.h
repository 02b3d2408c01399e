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

// Writes one line a rule, CR LF included; false when the stream failed on the way.
bool writeRules(std::ostream& stream, const RuleSet& rules);
// Appends the rule of every readable line; a line whose texts do not fit a rule yields
// none. Reading stops at the end of the stream or at a field of more than 255 characters;
// the rules read before that are kept. Always true.
bool readRules(std::istream& stream, RuleSet& rules);

} // namespace vellix
