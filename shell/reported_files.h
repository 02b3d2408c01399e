#pragma once

#include "shell/data_files.h"
#include "shell/desktop.h"

namespace vellix {

// The data files with every save's outcome told to the user: the first failure says so once,
// naming the file, and the desktop shows that data is not being saved until every file saves
// again. What failed to save stays in memory, and the next save writes it.
class ReportedDataFiles : public DataFiles {
public:
    ReportedDataFiles(DataFiles& files, Desktop& desktop) : files_(files), desktop_(desktop) {}

    // A file that is there but cannot be read is told as a failed save is: what is learned
    // meanwhile is not being saved.
    FileLoad loadHistory(DialingHistory& history) override;
    bool saveHistory(const DialingHistory& history) override;
    bool appendToHistory(const NumberPair& pair) override;
    FileLoad loadRules(RuleSet& rules) override;
    bool saveRules(const RuleSet& rules) override;
    // The settings are no data: a choice that did not save is still in force until exit.
    bool loadSettings(Settings& settings) override { return files_.loadSettings(settings); }
    bool saveSettings(const Settings& settings) override { return files_.saveSettings(settings); }
    bool keepHistoryIn(const char* path, const DialingHistory& history) override {
        return files_.keepHistoryIn(path, history);
    }
    bool keepRulesIn(const char* path, const RuleSet& rules) override {
        return files_.keepRulesIn(path, rules);
    }

    // Whether the file's last save, or its reading at start, failed.
    bool historyFailing() const { return historyFailing_; }
    bool rulesFailing() const { return rulesFailing_; }

private:
    bool report(const char* fileName, bool& failing, bool saved);

    DataFiles& files_;
    Desktop& desktop_;
    bool historyFailing_ = false;
    bool rulesFailing_ = false;
};

} // namespace vellix
