#pragma once

#include "rules/dialing_rule.h"
#include "store/file_load.h"

#include <iosfwd>

namespace vellix {

// One confirmed rule a line, "Dial <pattern> as <replacement> (active)" and CR LF, in the
// current directory.
constexpr const char* RULES_FILE = "DialingRules.dat";

// Replaces the rules file; false, with the previous file intact, when that fails. A file
// with lines that readRules passes over is first kept beside it (RULES_FILE ".bak").
bool saveRules(const RuleSet& rules);
// Appends the stored rules, all verified.
FileLoad loadRules(RuleSet& rules);

// Writes one line a rule, CR LF included; false when the stream failed on the way.
bool writeRules(std::ostream& stream, const RuleSet& rules);
// Appends the rule of every readable line: the keyword, the pattern, the joiner, the
// replacement and a state word in parentheses, with texts that fit a rule. Every other line
// but a blank one is passed over alone, and then the result is false.
bool readRules(std::istream& stream, RuleSet& rules);

} // namespace vellix
