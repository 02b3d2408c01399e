#include "app/shell_state.h"

#include "rules/rule_learning.h"

#include <algorithm>

namespace vellix {

void rederiveWorkingRules(ShellState& state) {
    state.workingRules = deriveWorkingRules(state.storedRules, state.history);
    std::reverse(state.workingRules.begin(), state.workingRules.end());
}

} // namespace vellix
