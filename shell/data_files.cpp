#include "shell/data_files.h"

#include "store/file_replace.h"
#include "store/history_file.h"
#include "store/rules_file.h"

namespace vellix {

FileLoad WorkingDirectoryFiles::loadHistory(DialingHistory& history) {
    return vellix::loadHistory(history);
}

bool WorkingDirectoryFiles::saveHistory(const DialingHistory& history) {
    return vellix::saveHistory(history);
}

bool WorkingDirectoryFiles::appendToHistory(const NumberPair& pair) {
    return vellix::appendToHistory(pair);
}

FileLoad WorkingDirectoryFiles::loadRules(RuleSet& rules) {
    return vellix::loadRules(rules);
}

bool WorkingDirectoryFiles::saveRules(const RuleSet& rules) {
    return vellix::saveRules(rules);
}

bool WorkingDirectoryFiles::loadSettings(Settings& settings) {
    return vellix::loadSettings(settings);
}

bool WorkingDirectoryFiles::saveSettings(const Settings& settings) {
    return vellix::saveSettings(settings);
}

bool WorkingDirectoryFiles::keepHistoryIn(const char* path, const DialingHistory& history) {
    return replaceFile(path,
                       [&history](std::ostream& stream) { return writeHistory(stream, history); });
}

bool WorkingDirectoryFiles::keepRulesIn(const char* path, const RuleSet& rules) {
    return replaceFile(path, [&rules](std::ostream& stream) { return writeRules(stream, rules); });
}

} // namespace vellix
