#pragma once

#include "shell/data_files.h"
#include "shell/desktop.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vellix::testing {

// Records every call as one line of text, in order, so tests can compare sequences.
class FakeDesktop : public Desktop {
public:
    std::vector<std::string> calls;
    bool visible = true;
    // Whether the system has the clipboard format listener; without it the viewer chain.
    bool hasListener = false;
    WindowHandle previousViewer = nullptr;
    // Run inside joinClipboardChain, as the platform announces the clipboard there.
    std::function<void()> onJoin;
    // What the next clipboard read finds; none makes the read fail.
    std::optional<CapturedNumberList> clipboard;
    // Reads that find the clipboard held open by another program before one opens it.
    int busyReads = 0;
    std::string numberBox;
    bool leftCtrlDown = false;
    std::string callingCode = "1";
    // What the user does while the Dialing Rules dialog is open, such as editing the rules
    // as OK would, or choosing the menu command again.
    std::function<void(RuleSet&)> inRulesDialog;
    // Whether the icon announces selections, as the current notification version does.
    bool trayAnnounces = false;
    CallHandlers handlers;
    // What the next call requests come to, in turn; placed once none is left.
    std::vector<CallResult> callResults;

    bool addTrayIcon() override {
        record("addTrayIcon");
        return trayAnnounces;
    }
    void removeTrayIcon() override { record("removeTrayIcon"); }
    void showTrayMenu(const TrayMenuState& menu) override {
        std::string call = menu.findNumbersInText ? "showTrayMenu" : "showTrayMenu, finding off";
        if (!menu.linkProgram.empty())
            call += ", " + menu.linkProgram;
        record(call + (menu.dialWith == DialRoute::TEL_LINK ? ", by link" : ""));
    }

    void showWindow(ShowCommand command) override {
        record("showWindow " + std::to_string(static_cast<int>(command)));
    }
    bool isWindowVisible() override { return visible; }
    void bringToForeground() override { record("bringToForeground"); }
    void destroyWindow() override { record("destroyWindow"); }
    void quitMessageLoop() override { record("quitMessageLoop"); }
    void runAboutDialog() override { record("runAboutDialog"); }
    void runRulesDialog(RuleSet& rules) override {
        record("runRulesDialog");
        if (inRulesDialog)
            inRulesDialog(rules);
    }
    void bringRulesDialogToFront() override { record("bringRulesDialogToFront"); }

    void createToolbarStrip() override { record("createToolbarStrip"); }
    void showSingleNumberLayout() override { record("showSingleNumberLayout"); }
    void showSeveralNumbersLayout(std::int32_t kind, const char* label) override {
        record("showSeveralNumbersLayout " + std::to_string(kind) + " " + label);
    }
    void setNumberButtonImage(std::int32_t kind) override {
        record("setNumberButtonImage " + std::to_string(kind));
    }

    void clearNumberBox() override { record("clearNumberBox"); }
    void appendToNumberBox(const char* text) override {
        record("appendToNumberBox " + std::string(text));
    }
    void setNumberBoxText(const char* text) override {
        numberBox = text;
        record("setNumberBoxText " + std::string(text));
    }
    void selectNumberBoxItem(std::size_t index) override {
        record("selectNumberBoxItem " + std::to_string(index));
    }
    void readNumberBox(char* text, std::size_t size) override {
        record("readNumberBox");
        numberBox.copy(text, size - 1);
        text[std::min(numberBox.size(), size - 1)] = '\0';
    }

    void focusNumberBox() override { record("focusNumberBox"); }
    std::string regionalCallingCode() override { return callingCode; }

    MenuHandle createPopupMenu() override {
        record("createPopupMenu");
        return &menu_;
    }
    void insertMenuItem(MenuHandle menu, std::size_t position, std::uint32_t command,
                        const char* text) override {
        record("insertMenuItem " + menuName(menu) + " " + std::to_string(position) + " " +
               std::to_string(command) + " " + text);
    }
    void trackNumberMenu(MenuHandle menu) override { record("trackNumberMenu " + menuName(menu)); }
    void destroyMenu(MenuHandle menu) override { record("destroyMenu " + menuName(menu)); }

    bool listenToClipboard() override {
        record(hasListener ? "listenToClipboard" : "listenToClipboard, missing");
        return hasListener;
    }
    void stopListeningToClipboard() override { record("stopListeningToClipboard"); }
    WindowHandle joinClipboardChain() override {
        record("joinClipboardChain");
        if (onJoin)
            onJoin();
        return previousViewer;
    }
    void leaveClipboardChain(WindowHandle nextViewer) override {
        record("leaveClipboardChain " + name(nextViewer));
    }
    void forwardClipboardChange(WindowHandle nextViewer, std::uintptr_t wParam,
                                std::intptr_t lParam) override {
        record("forwardClipboardChange " + name(nextViewer) + " " + std::to_string(wParam) + " " +
               std::to_string(lParam));
    }
    void forwardChainChange(WindowHandle nextViewer, WindowHandle removed,
                            WindowHandle following) override {
        record("forwardChainChange " + name(nextViewer) + " " + name(removed) + " " +
               name(following));
    }
    // A read with the finding in copied text switched off says so.
    ClipboardRead readClipboardNumbers(CapturedNumberList& numbers, bool findInText) override {
        record(findInText ? "readClipboardNumbers" : "readClipboardNumbers, finding off");
        if (busyReads > 0) {
            --busyReads;
            return ClipboardRead::BUSY;
        }
        if (!clipboard || clipboard->empty())
            return ClipboardRead::NO_NUMBERS;
        numbers.insert(numbers.end(), clipboard->begin(), clipboard->end());
        return ClipboardRead::NUMBERS;
    }
    void scheduleClipboardRetry(std::uint32_t delayMs) override {
        record("scheduleClipboardRetry " + std::to_string(delayMs));
    }

    void showSaveFailure(const char* fileName) override {
        record("showSaveFailure " + std::string(fileName));
    }
    void showSavesResumed() override { record("showSavesResumed"); }
    // What the user answers at exit, in turn, and the files chosen (empty: none).
    std::vector<UnsavedDataChoice> unsavedAnswers;
    std::vector<std::string> chosenFiles;
    UnsavedDataChoice askAboutUnsavedData(const char* fileName) override {
        record("askAboutUnsavedData " + std::string(fileName));
        const UnsavedDataChoice answer =
            unsavedAnswers.empty() ? UnsavedDataChoice::GO_BACK : unsavedAnswers.front();
        if (!unsavedAnswers.empty())
            unsavedAnswers.erase(unsavedAnswers.begin());
        return answer;
    }
    void holdSessionEnd(const char* reason) override {
        record("holdSessionEnd " + std::string(reason));
    }
    std::string chooseFileToKeep(const char* suggestedName) override {
        record("chooseFileToKeep " + std::string(suggestedName));
        std::string chosen = chosenFiles.empty() ? std::string() : chosenFiles.front();
        if (!chosenFiles.empty())
            chosenFiles.erase(chosenFiles.begin());
        return chosen;
    }

    bool isLeftCtrlDown() override { return leftCtrlDown; }
    CallHandlers callHandlers() override { return handlers; }
    CallResult requestCall(const char* address, DialRoute route) override {
        record(std::string(route == DialRoute::TEL_LINK ? "openLink " : "requestCall ") + address);
        const CallResult result = callResults.empty() ? CallResult::PLACED : callResults.front();
        if (!callResults.empty())
            callResults.erase(callResults.begin());
        return result;
    }
    void showCallFailure(CallResult result) override {
        record("showCallFailure " + std::to_string(static_cast<int>(result)));
    }
    void showCallPlaced() override { record("showCallPlaced"); }

    // Names a window of a test in the recorded calls.
    void nameWindow(WindowHandle window, const std::string& windowName) {
        names_.emplace_back(window, windowName);
    }

private:
    void record(std::string call) { calls.push_back(std::move(call)); }
    std::string name(WindowHandle window) const {
        if (window == nullptr)
            return "none";
        for (const auto& [handle, windowName] : names_) {
            if (handle == window)
                return windowName;
        }
        return "?";
    }

    std::string menuName(MenuHandle menu) const { return menu == &menu_ ? "menu" : "?"; }

    int menu_ = 0;
    std::vector<std::pair<WindowHandle, std::string>> names_;
};

// Data files kept in memory; each load and save is recorded into the desktop's call list.
class FakeDataFiles : public DataFiles {
public:
    explicit FakeDataFiles(std::vector<std::string>& calls) : calls_(calls) {}

    PairList storedHistory;
    RuleSet storedRules;
    // Saves of a file fail while set, leaving what it stores as it was.
    bool historyReadOnly = false;
    bool rulesReadOnly = false;
    // Loads of a file find it there but held by another program while set; so do saves.
    bool historyHeld = false;
    bool rulesHeld = false;

    FileLoad loadHistory(DialingHistory& history) override {
        calls_.emplace_back("loadHistory");
        if (historyHeld)
            return FileLoad::UNREADABLE;
        for (const NumberPair& pair : storedHistory)
            history.add(pair);
        return FileLoad::READ;
    }
    bool saveHistory(const DialingHistory& history) override {
        calls_.emplace_back("saveHistory");
        if (historyReadOnly || historyHeld)
            return false;
        storedHistory = pairsOf(history);
        return true;
    }
    bool appendToHistory(const NumberPair& pair) override {
        calls_.emplace_back("appendToHistory");
        if (historyReadOnly || historyHeld)
            return false;
        storedHistory.push_back(pair);
        return true;
    }
    FileLoad loadRules(RuleSet& rules) override {
        calls_.emplace_back("loadRules");
        if (rulesHeld)
            return FileLoad::UNREADABLE;
        rules.insert(rules.end(), storedRules.begin(), storedRules.end());
        return FileLoad::READ;
    }
    bool saveRules(const RuleSet& rules) override {
        calls_.emplace_back("saveRules");
        if (rulesReadOnly || rulesHeld)
            return false;
        storedRules = rules;
        return true;
    }
    // Absent until saved, as a missing file.
    std::optional<Settings> storedSettings;
    bool loadSettings(Settings& settings) override {
        calls_.emplace_back("loadSettings");
        if (storedSettings)
            settings = *storedSettings;
        return storedSettings.has_value();
    }
    bool saveSettings(const Settings& settings) override {
        calls_.emplace_back("saveSettings");
        storedSettings = settings;
        return true;
    }
    // What was kept in files the user chose, by path; a path starting "/no/" cannot be written.
    std::map<std::string, std::size_t> kept;
    bool keepHistoryIn(const char* path, const DialingHistory& history) override {
        calls_.emplace_back("keepHistoryIn " + std::string(path));
        return keepIn(path, history.size());
    }
    bool keepRulesIn(const char* path, const RuleSet& rules) override {
        calls_.emplace_back("keepRulesIn " + std::string(path));
        return keepIn(path, rules.size());
    }

private:
    bool keepIn(const std::string& path, std::size_t items) {
        if (path.rfind("/no/", 0) == 0)
            return false;
        kept[path] = items;
        return true;
    }

    std::vector<std::string>& calls_;
};

} // namespace vellix::testing
