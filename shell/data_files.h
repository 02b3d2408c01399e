#pragma once

#include "rules/dialing_history.h"
#include "rules/dialing_rule.h"
#include "rules/number_pair.h"
#include "store/file_load.h"
#include "store/settings_file.h"

namespace vellix {

// The two data files and the settings file as the shell uses them; the unit tests put a fake in
// their place.
class DataFiles {
public:
    virtual ~DataFiles() = default;

    virtual FileLoad loadHistory(DialingHistory& history) = 0;
    // Writes the whole history, as after pairs were forgotten.
    virtual bool saveHistory(const DialingHistory& history) = 0;
    // Adds one dialed pair at the end of the history file.
    virtual bool appendToHistory(const NumberPair& pair) = 0;
    virtual FileLoad loadRules(RuleSet& rules) = 0;
    virtual bool saveRules(const RuleSet& rules) = 0;
    virtual bool loadSettings(Settings& settings) = 0;
    virtual bool saveSettings(const Settings& settings) = 0;
    // Keep data that could not be saved in a file the user chose, in the data file's format.
    virtual bool keepHistoryIn(const char* path, const DialingHistory& history) = 0;
    virtual bool keepRulesIn(const char* path, const RuleSet& rules) = 0;
};

// The files in the current directory.
class WorkingDirectoryFiles : public DataFiles {
public:
    FileLoad loadHistory(DialingHistory& history) override;
    bool saveHistory(const DialingHistory& history) override;
    bool appendToHistory(const NumberPair& pair) override;
    FileLoad loadRules(RuleSet& rules) override;
    bool saveRules(const RuleSet& rules) override;
    bool loadSettings(Settings& settings) override;
    bool saveSettings(const Settings& settings) override;
    bool keepHistoryIn(const char* path, const DialingHistory& history) override;
    bool keepRulesIn(const char* path, const RuleSet& rules) override;
};

} // namespace vellix
