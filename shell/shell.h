#pragma once

#include "shell/data_files.h"
#include "shell/desktop.h"
#include "shell/reported_files.h"
#include "shell/shell_state.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vellix {

// A clipboard held open by another program is read again this often, at most this many
// times (two seconds in all); the window goes on answering in between.
constexpr std::uint32_t CLIPBOARD_RETRY_MS = 50;
constexpr int CLIPBOARD_RETRIES = 40;

// What the system shows beside Vellix when the user signs out while it holds work.
inline constexpr const char* SESSION_UNSAVED_REASON =
    "Your dialing history or rules could not be saved. Open Vellix and choose Exit to keep them.";
inline constexpr const char* SESSION_EDITING_REASON =
    "The Dialing Rules dialog is open with changes not yet confirmed.";

// The main window's decisions, one handler per event, free of any platform call: what
// start-up loads and in which order, what a clipboard change does, the clipboard-viewer
// chain's bookkeeping, the notification icon's mouse messages and the commands.
class Shell {
public:
    Shell(Desktop& desktop, DataFiles& files) : desktop_(desktop), files_(files, desktop) {}

    // Adds the icon, builds the toolbar strip, loads both files, derives the working rules
    // and joins the clipboard-viewer chain, which presents what the clipboard holds.
    void onCreate();
    // Leaves the chain, removes the icon and ends the message loop.
    void onDestroy();
    void onClose();
    void onSize(bool minimized);
    // A change announced to the clipboard listener.
    void onClipboardUpdate();
    // A change announced through the viewer chain, handed on to the next viewer.
    void onClipboardChange(std::uintptr_t wParam, std::intptr_t lParam);
    // The retry the shell scheduled after finding the clipboard held open.
    void onClipboardRetry();
    void onChainChange(WindowHandle removed, WindowHandle following);
    // The caller passes the message on to the default handling afterwards as well.
    void onTrayMessage(std::uint32_t mouseMessage);
    // The shell's taskbar was re-created and has forgotten the icon.
    void onTaskbarCreated();
    // False when the default handling is still to run: for a pick, after it, and for any
    // command that is not the shell's.
    bool onCommand(std::uint32_t command);
    void onNumberButtonDropDown();
    // A "tel:" or "callto:" link the program was started with or handed: its number is
    // captured alone and presented as a copied one, with the window in front and the number
    // box focused. A link without a number that fits changes nothing.
    void onLink(std::string_view link);
    // The user signs out or shuts down (closingApp false), or an installer asks the program to
    // close (true). Saves what failed to save; false holds a sign-out with a reason while data
    // is unsaved or the rules are being edited, which the user sees and decides on.
    bool onQueryEndSession(bool closingApp);
    // The session ends (ending) or goes on; an installer's close ends the program.
    void onEndSession(bool ending, bool closingApp);

    ShellState& state() { return state_; }
    const ShellState& state() const { return state_; }
    const Settings& settings() const { return settings_; }
    WindowHandle nextViewer() const { return nextViewer_; }

private:
    void deriveRules();
    void readClipboard();
    // Before Exit: tries the saves that failed once more; for a file that still does not save,
    // asks whether to keep its data in a file of the user's choice, to exit without it, or to
    // go back. False: the user goes back, and the program stays.
    bool keepUnsavedData();
    // Tries the saves that failed once more; which files are saved now.
    struct SavedFiles {
        bool history = false;
        bool rules = false;
    };
    SavedFiles saveFailedFiles();
    bool keepOneFile(const char* fileName, bool history);
    void runRulesDialog();
    void bringForwardIfShown();
    void showAndFocus();
    void showTrayMenu();
    // The user's choice under "Dial with", kept in the settings.
    void chooseDialRoute(DialRoute route);

    Desktop& desktop_;
    // Every save goes through here, so that none fails unnoticed.
    ReportedDataFiles files_;
    ShellState state_;
    // Loaded at start-up; the notification menu's switch changes and saves it.
    Settings settings_;
    // The calling code whose numbers are read in national form, chosen at start-up.
    std::string homeCountry_;
    bool listening_ = false;
    // The icon announces selections and menu requests besides mouse buttons.
    bool trayAnnouncesSelection_ = false;
    WindowHandle nextViewer_ = nullptr;
    // Retries of the present clipboard change so far, and whether one is scheduled.
    int clipboardRetries_ = 0;
    bool clipboardRetryPending_ = false;
    // The tray menu still works while the modal dialog runs; a second dialog over the same
    // rules would only confuse.
    bool rulesDialogOpen_ = false;
};

} // namespace vellix
