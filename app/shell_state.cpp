#include "app/shell_state.h"

#include "rules/rule_learning.h"

#include <algorithm>
#include <utility>

namespace vellix {

void rederiveWorkingRules(ShellState& state) {
    // Replaced only when complete: a failure on the way keeps the previous rules.
    RuleSet rules = deriveWorkingRules(state.storedRules, state.history);
    std::reverse(rules.begin(), rules.end());
    state.workingRules = std::move(rules);
}

} // namespace vellix
