#include "shell/shell.h"

#include "capture/call_link.h"
#include "capture/home_country.h"
#include "res/resource.h"
#include "rules/forgetting.h"
#include "rules/rule_learning.h"
#include "shell/dialing.h"
#include "shell/number_menu.h"
#include "shell/presentation.h"
#include "store/history_file.h"
#include "store/rules_file.h"

#include <utility>

namespace vellix {

void Shell::onCreate() {
    trayAnnouncesSelection_ = desktop_.addTrayIcon();
    desktop_.createToolbarStrip();
    loadDataFiles(files_, state_);
    files_.loadSettings(settings_);
    homeCountry_ =
        settings_.homeCountry.empty() ? desktop_.regionalCallingCode() : settings_.homeCountry;
    deriveRules();
    listening_ = desktop_.listenToClipboard();
    if (listening_)
        readClipboard(); // the listener announces later changes only
    else
        nextViewer_ = desktop_.joinClipboardChain();
}

void Shell::onDestroy() {
    if (listening_)
        desktop_.stopListeningToClipboard();
    else
        desktop_.leaveClipboardChain(nextViewer_);
    listening_ = false;
    nextViewer_ = nullptr;
    desktop_.removeTrayIcon();
    desktop_.quitMessageLoop();
}

void Shell::onClose() {
    desktop_.showWindow(ShowCommand::MINIMIZE);
}

void Shell::onSize(bool minimized) {
    if (minimized)
        desktop_.showWindow(ShowCommand::HIDE);
}

void Shell::onClipboardChange(std::uintptr_t wParam, std::intptr_t lParam) {
    if (nextViewer_ != nullptr)
        desktop_.forwardClipboardChange(nextViewer_, wParam, lParam);
    clipboardRetries_ = 0;
    readClipboard();
}

void Shell::onClipboardUpdate() {
    clipboardRetries_ = 0;
    readClipboard();
}

void Shell::onClipboardRetry() {
    // A later change may have been read meanwhile.
    if (!clipboardRetryPending_)
        return;
    clipboardRetryPending_ = false;
    readClipboard();
}

void Shell::readClipboard() {
    CapturedNumberList numbers;
    const ClipboardRead read = desktop_.readClipboardNumbers(numbers, settings_.findNumbersInText);
    clipboardRetryPending_ = read == ClipboardRead::BUSY && clipboardRetries_ < CLIPBOARD_RETRIES;
    if (clipboardRetryPending_) {
        ++clipboardRetries_;
        desktop_.scheduleClipboardRetry(CLIPBOARD_RETRY_MS);
        return;
    }
    if (read != ClipboardRead::NUMBERS)
        return;
    readInHomeCountry(numbers, homeCountry_);
    state_.capturedNumbers = std::move(numbers);
    presentCapturedNumbers(desktop_, state_.capturedNumbers, state_.proposedNumber,
                           state_.workingRules);
}

void Shell::onChainChange(WindowHandle removed, WindowHandle following) {
    if (removed == nextViewer_)
        nextViewer_ = following;
    else if (nextViewer_ != nullptr)
        desktop_.forwardChainChange(nextViewer_, removed, following);
}

void Shell::onTrayMessage(std::uint32_t mouseMessage) {
    switch (mouseMessage) {
    case MOUSE_LEFT_UP:
        // An icon that announces selections is followed by one.
        if (!trayAnnouncesSelection_)
            bringForwardIfShown();
        break;
    case TRAY_SELECT:
        bringForwardIfShown();
        break;
    case TRAY_KEY_SELECT:
        showAndFocus();
        break;
    case MOUSE_LEFT_DOUBLE_CLICK:
        if (desktop_.isWindowVisible())
            // Minimising hides the window through onSize.
            desktop_.showWindow(ShowCommand::MINIMIZE);
        else
            showAndFocus();
        break;
    case MOUSE_RIGHT_UP:
        if (!trayAnnouncesSelection_)
            showTrayMenu();
        break;
    case TRAY_CONTEXT_MENU:
        showTrayMenu();
        break;
    default:
        break;
    }
}

// A hidden window is never made active: the keys would go to a box nobody sees.
void Shell::bringForwardIfShown() {
    if (desktop_.isWindowVisible()) {
        desktop_.bringToForeground();
        desktop_.focusNumberBox();
    }
}

void Shell::showAndFocus() {
    desktop_.showWindow(ShowCommand::SHOW);
    desktop_.showWindow(ShowCommand::RESTORE);
    desktop_.bringToForeground();
    desktop_.focusNumberBox();
}

void Shell::showTrayMenu() {
    const CallHandlers handlers = desktop_.callHandlers();
    TrayMenuState menu;
    menu.findNumbersInText = settings_.findNumbersInText;
    menu.dialWith = effectiveRoute(settings_.dialWith, handlers);
    if (!handlers.linkProgramIsOwn)
        menu.linkProgram = handlers.linkProgram;
    desktop_.showTrayMenu(menu);
}

void Shell::chooseDialRoute(DialRoute route) {
    settings_.dialWith = route;
    files_.saveSettings(settings_);
}

void Shell::onTaskbarCreated() {
    trayAnnouncesSelection_ = desktop_.addTrayIcon();
}

bool Shell::onCommand(std::uint32_t command) {
    switch (command) {
    case CMD_ABOUT:
        desktop_.runAboutDialog();
        return true;
    case CMD_EXIT:
        if (keepUnsavedData())
            desktop_.destroyWindow();
        return true;
    case CMD_FIND_NUMBERS:
        settings_.findNumbersInText = !settings_.findNumbersInText;
        files_.saveSettings(settings_);
        return true;
    // The rules command lies inside the range of the picks, so it is tested first.
    case CMD_DIALING_RULES:
        runRulesDialog();
        return true;
    case CMD_NUMBER_MENU:
        showNumberMenu(desktop_, state_.capturedNumbers);
        return true;
    case CMD_DIAL:
        dial(desktop_, files_, state_, settings_.dialWith);
        return true;
    case CMD_SHOW:
        showAndFocus();
        return true;
    case CMD_DIAL_WITH_TELEPHONY:
        chooseDialRoute(DialRoute::TELEPHONY);
        return true;
    case CMD_DIAL_WITH_LINK:
        chooseDialRoute(DialRoute::TEL_LINK);
        return true;
    default:
        break;
    }
    if (command >= CMD_PICK_FIRST && command - CMD_PICK_FIRST < state_.capturedNumbers.size()) {
        presentNumber(desktop_, state_.capturedNumbers[command - CMD_PICK_FIRST],
                      state_.proposedNumber, state_.workingRules);
    }
    return false;
}

void Shell::onNumberButtonDropDown() {
    showNumberMenu(desktop_, state_.capturedNumbers);
}

void Shell::onLink(std::string_view link) {
    PhoneNumber number;
    if (!decodeCallLink(link, number))
        return;
    state_.capturedNumbers.assign(1, CapturedNumber(number.text(), KIND_GENERAL, LINK_LABEL));
    readInHomeCountry(state_.capturedNumbers, homeCountry_);
    presentCapturedNumbers(desktop_, state_.capturedNumbers, state_.proposedNumber,
                           state_.workingRules);
    // The main window is disabled behind an open rules dialog: the number waits there, and
    // the dialog the user is working in comes forward.
    if (rulesDialogOpen_) {
        desktop_.bringRulesDialogToFront();
        return;
    }
    desktop_.bringToForeground();
    desktop_.focusNumberBox();
}

// After OK and Cancel alike the files are written from the working rules; these are neither
// derived again nor reversed, and the number box keeps what it shows.
void Shell::runRulesDialog() {
    if (rulesDialogOpen_) {
        desktop_.bringRulesDialogToFront();
        return;
    }
    rulesDialogOpen_ = true;
    const RuleSet before = state_.workingRules;
    desktop_.runRulesDialog(state_.workingRules);
    rulesDialogOpen_ = false;
    state_.storedRules = extractStoredRules(state_.workingRules);
    saveRulesOf(files_, state_);
    forgetDroppedPairs(state_.history, before, state_.workingRules);
    saveHistoryOf(files_, state_);
}

bool Shell::keepUnsavedData() {
    const SavedFiles saved = saveFailedFiles();
    return (saved.history || keepOneFile(HISTORY_FILE, true)) &&
           (saved.rules || keepOneFile(RULES_FILE, false));
}

Shell::SavedFiles Shell::saveFailedFiles() {
    // Once more: whatever held a file may have let it go.
    SavedFiles saved;
    saved.history =
        !files_.historyFailing() && !state_.historyUnread ? true : saveHistoryOf(files_, state_);
    saved.rules =
        !files_.rulesFailing() && !state_.rulesUnread ? true : saveRulesOf(files_, state_);
    return saved;
}

bool Shell::onQueryEndSession(bool closingApp) {
    const SavedFiles files = saveFailedFiles();
    const bool saved = files.history && files.rules;
    // An installer closing the program cannot be asked to wait: it is told to go ahead, and
    // the rules dialog's edits go as with Cancel.
    if (closingApp)
        return true;
    const char* reason = !saved             ? SESSION_UNSAVED_REASON
                         : rulesDialogOpen_ ? SESSION_EDITING_REASON
                                            : "";
    desktop_.holdSessionEnd(reason);
    return reason[0] == '\0';
}

void Shell::onEndSession(bool ending, bool closingApp) {
    if (!ending) {
        desktop_.holdSessionEnd("");
        return;
    }
    saveFailedFiles();
    if (closingApp && !rulesDialogOpen_)
        desktop_.destroyWindow();
}

bool Shell::keepOneFile(const char* fileName, bool history) {
    for (;;) {
        switch (desktop_.askAboutUnsavedData(fileName)) {
        case UnsavedDataChoice::GO_BACK:
            return false;
        case UnsavedDataChoice::EXIT_WITHOUT_IT:
            return true;
        case UnsavedDataChoice::KEEP_IN_FILE:
            break;
        }
        const std::string path = desktop_.chooseFileToKeep(fileName);
        // No file chosen, or one that cannot be written either: asked again.
        if (!path.empty() && (history ? files_.keepHistoryIn(path.c_str(), state_.history)
                                      : files_.keepRulesIn(path.c_str(), state_.storedRules)))
            return true;
    }
}

void Shell::deriveRules() {
    rederiveWorkingRules(state_);
}

} // namespace vellix
