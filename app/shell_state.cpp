#include "app/shell_state.h"

#include "rules/rule_learning.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vellix {

void rederiveWorkingRules(ShellState& state) {
    // Replaced only when complete: a failure on the way keeps the previous rules.
    RuleSet rules = deriveWorkingRules(state.storedRules, state.history);
    std::reverse(rules.begin(), rules.end());
    state.workingRules = std::move(rules);
}

void loadDataFiles(DataFiles& files, ShellState& state) {
    state.historyUnread = files.loadHistory(state.history) == FileLoad::UNREADABLE;
    state.rulesUnread = files.loadRules(state.storedRules) == FileLoad::UNREADABLE;
}

bool saveHistoryOf(DataFiles& files, ShellState& state) {
    if (state.historyUnread) {
        PairList history;
        if (files.loadHistory(history) == FileLoad::UNREADABLE)
            return false;
        state.historyUnread = false;
        history.insert(history.end(), state.history.begin(), state.history.end());
        state.history = std::move(history);
        rederiveWorkingRules(state);
    }
    return files.saveHistory(state.history);
}

bool saveRulesOf(DataFiles& files, ShellState& state) {
    if (state.rulesUnread) {
        RuleSet rules;
        if (files.loadRules(rules) == FileLoad::UNREADABLE)
            return false;
        state.rulesUnread = false;
        for (DialingRule& rule : rules) {
            if (!patternTaken(rule, state.storedRules))
                state.storedRules.push_back(std::move(rule));
        }
        rederiveWorkingRules(state);
    }
    return files.saveRules(state.storedRules);
}

} // namespace vellix
