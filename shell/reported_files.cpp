#include "shell/reported_files.h"

#include "store/history_file.h"
#include "store/rules_file.h"

namespace vellix {

FileLoad ReportedDataFiles::loadHistory(DialingHistory& history) {
    const FileLoad load = files_.loadHistory(history);
    report(HISTORY_FILE, historyFailing_, load != FileLoad::UNREADABLE);
    return load;
}

FileLoad ReportedDataFiles::loadRules(RuleSet& rules) {
    const FileLoad load = files_.loadRules(rules);
    report(RULES_FILE, rulesFailing_, load != FileLoad::UNREADABLE);
    return load;
}

bool ReportedDataFiles::saveHistory(const DialingHistory& history) {
    return report(HISTORY_FILE, historyFailing_, files_.saveHistory(history));
}

bool ReportedDataFiles::appendToHistory(const NumberPair& pair) {
    return report(HISTORY_FILE, historyFailing_, files_.appendToHistory(pair));
}

bool ReportedDataFiles::saveRules(const RuleSet& rules) {
    return report(RULES_FILE, rulesFailing_, files_.saveRules(rules));
}

bool ReportedDataFiles::report(const char* fileName, bool& failing, bool saved) {
    const bool wasFailing = historyFailing_ || rulesFailing_;
    failing = !saved;
    const bool isFailing = historyFailing_ || rulesFailing_;
    // Once per spell of failures: a balloon at every dial would only be in the way.
    if (isFailing && !wasFailing)
        desktop_.showSaveFailure(fileName);
    else if (!isFailing && wasFailing)
        desktop_.showSavesResumed();
    return saved;
}

} // namespace vellix
