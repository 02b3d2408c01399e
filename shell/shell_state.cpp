#include "shell/shell_state.h"

#include "rules/forgetting.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vellix {

void rederiveWorkingRules(ShellState& state) {
    // Replaced only when complete: a failure on the way keeps the previous rules.
    bool forgot = false;
    RuleSet rules = learnWorkingRules(state.storedRules, state.history, forgot);
    state.historyRewrite = state.historyRewrite || forgot;
    std::reverse(rules.begin(), rules.end());
    state.workingRules = std::move(rules);
}

void loadDataFiles(DataFiles& files, ShellState& state) {
    const FileLoad history = files.loadHistory(state.history);
    state.historyUnread = history == FileLoad::UNREADABLE;
    state.historyRewrite = history == FileLoad::READ_TO_REWRITE;
    state.rulesUnread = files.loadRules(state.storedRules) == FileLoad::UNREADABLE;
}

bool saveHistoryOf(DataFiles& files, ShellState& state) {
    if (state.historyUnread) {
        DialingHistory history;
        if (files.loadHistory(history) == FileLoad::UNREADABLE)
            return false;
        state.historyUnread = false;
        for (std::size_t i = 0; i < state.history.size(); ++i)
            history.add(state.history.pairAt(i));
        state.history = std::move(history);
        rederiveWorkingRules(state);
    }
    const bool saved = files.saveHistory(state.history);
    state.historyRewrite = !saved;
    return saved;
}

bool saveDialedPair(DataFiles& files, ShellState& state, const NumberPair& pair) {
    if (state.historyUnread || state.historyRewrite)
        return saveHistoryOf(files, state);
    // A failed write may have left part of the line: the file is written whole next time.
    state.historyRewrite = !files.appendToHistory(pair);
    return !state.historyRewrite;
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
