#pragma once

#include "capture/captured_number.h"
#include "rules/dialing_rule.h"
#include "shell/dial_route.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vellix {

// A window of the desktop, such as the next clipboard viewer; compared, never looked into.
using WindowHandle = void*;

// A popup menu of the desktop, from its creation to its destruction.
using MenuHandle = void*;

// The show commands the shell uses, with the platform's values.
enum class ShowCommand : std::int32_t {
    HIDE = 0,
    SHOW_NORMAL = 1,
    // Shown on top of the other windows, the keyboard left where it is.
    SHOW_NO_ACTIVATE = 4,
    SHOW = 5,
    MINIMIZE = 6,
    RESTORE = 9,
};

// What one reading of the clipboard found. BUSY: another program held the clipboard open,
// as clipboard managers and remote-desktop clients do for a moment right after a change.
enum class ClipboardRead : std::int32_t {
    NUMBERS,
    NO_NUMBERS,
    BUSY,
};

// What the user makes of data that cannot be saved at exit.
enum class UnsavedDataChoice : std::int32_t {
    KEEP_IN_FILE,
    EXIT_WITHOUT_IT,
    GO_BACK,
};

// The mouse messages that arrive with a notification-icon message, with the platform's values.
constexpr std::uint32_t MOUSE_LEFT_UP = 0x0202;
constexpr std::uint32_t MOUSE_LEFT_DOUBLE_CLICK = 0x0203;
constexpr std::uint32_t MOUSE_RIGHT_UP = 0x0205;
// What an icon of the current notification version announces besides: a selection with the
// mouse or with Enter or Space, and a request for its menu (mouse or keyboard).
constexpr std::uint32_t TRAY_SELECT = 0x0400;
constexpr std::uint32_t TRAY_KEY_SELECT = 0x0401;
constexpr std::uint32_t TRAY_CONTEXT_MENU = 0x007B;

// The icon's menu as it opens: its check marks and the "tel:" program it names.
struct TrayMenuState {
    bool findNumbersInText = true;
    // Where calls go now, checked under "Dial with".
    DialRoute dialWith = DialRoute::TELEPHONY;
    // The "tel:" program offered there; empty when none but Vellix is chosen.
    std::string linkProgram;
};

// Everything the shell asks of the windowing system, in the shell's own terms. The Windows
// program implements it with Win32 calls on the main window and its controls; the unit
// tests record the calls.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Notification icon.
    // True when the icon announces selections and menu requests (TRAY_SELECT and the like)
    // rather than only mouse buttons.
    virtual bool addTrayIcon() = 0;
    virtual void removeTrayIcon() = 0;
    // Opens the icon's menu at the cursor; the chosen command arrives later as a command.
    virtual void showTrayMenu(const TrayMenuState& menu) = 0;

    // Main window.
    virtual void showWindow(ShowCommand command) = 0;
    virtual bool isWindowVisible() = 0;
    virtual void bringToForeground() = 0;
    virtual void destroyWindow() = 0;
    virtual void quitMessageLoop() = 0;
    virtual void runAboutDialog() = 0;
    // The Dialing Rules dialog over the main window; returns when it ends. OK replaces the
    // rules with the edited ones, Cancel leaves them as they were.
    virtual void runRulesDialog(RuleSet& rules) = 0;
    // Brings the open Dialing Rules dialog in front of other windows.
    virtual void bringRulesDialogToFront() = 0;

    // Toolbar strip: the number button, the number box and the Dial button.
    virtual void createToolbarStrip() = 0;
    virtual void showSingleNumberLayout() = 0;
    virtual void showSeveralNumbersLayout(std::int32_t kind, const char* label) = 0;
    virtual void setNumberButtonImage(std::int32_t kind) = 0;

    // Number box.
    virtual void clearNumberBox() = 0;
    virtual void appendToNumberBox(const char* text) = 0;
    virtual void setNumberBoxText(const char* text) = 0;
    // Selects item index (counting from 0) and shows it in the edit field.
    virtual void selectNumberBoxItem(std::size_t index) = 0;
    // Copies the edit field's text, cut to fit and NUL-terminated, into text.
    virtual void readNumberBox(char* text, std::size_t size) = 0;
    // Gives the number box the keyboard focus with its text selected, ready for Enter.
    virtual void focusNumberBox() = 0;

    // Number menu, built afresh each time it opens.
    virtual MenuHandle createPopupMenu() = 0;
    virtual void insertMenuItem(MenuHandle menu, std::size_t position, std::uint32_t command,
                                const char* text) = 0;
    // Opens the menu below the number button and returns when it closes; the chosen item's
    // command arrives afterwards.
    virtual void trackNumberMenu(MenuHandle menu) = 0;
    virtual void destroyMenu(MenuHandle menu) = 0;

    // Clipboard. Listening has the platform announce each later change to this window alone;
    // false where the system lacks the listener, and the old viewer chain is joined instead.
    virtual bool listenToClipboard() = 0;
    virtual void stopListeningToClipboard() = 0;
    // Joining the chain returns the next viewer; the platform announces the present clipboard
    // content before it returns.
    virtual WindowHandle joinClipboardChain() = 0;
    virtual void leaveClipboardChain(WindowHandle nextViewer) = 0;
    virtual void forwardClipboardChange(WindowHandle nextViewer, std::uintptr_t wParam,
                                        std::intptr_t lParam) = 0;
    virtual void forwardChainChange(WindowHandle nextViewer, WindowHandle removed,
                                    WindowHandle following) = 0;
    // Appends the numbers now on the clipboard.
    // findInText: whether a copied text longer than a number is searched for numbers.
    virtual ClipboardRead readClipboardNumbers(CapturedNumberList& numbers, bool findInText) = 0;
    // Calls the shell's onClipboardRetry once, after delayMs, without holding up the window
    // meanwhile; scheduling again replaces a retry still pending.
    virtual void scheduleClipboardRetry(std::uint32_t delayMs) = 0;

    // Saving. A data file could not be saved: says so once, naming the file and its folder,
    // and shows that data is not being saved until showSavesResumed.
    virtual void showSaveFailure(const char* fileName) = 0;
    virtual void showSavesResumed() = 0;
    // At exit, a data file still cannot be saved: asks what becomes of its data.
    virtual UnsavedDataChoice askAboutUnsavedData(const char* fileName) = 0;
    // A file to keep data in, suggested by name; empty when the user chose none.
    virtual std::string chooseFileToKeep(const char* suggestedName) = 0;
    // Asks the system to hold the end of the session for the reason the user is shown there
    // (an empty reason lets it end), as a program with unsaved work does.
    virtual void holdSessionEnd(const char* reason) = 0;

    // The calling code of the country of the user's regional settings ("1", "44"); empty
    // when the system does not say.
    virtual std::string regionalCallingCode() = 0;

    // Dialing.
    virtual bool isLeftCtrlDown() = 0;
    // What the PC is set up to place calls with; read afresh each time.
    virtual CallHandlers callHandlers() = 0;
    virtual CallResult requestCall(const char* address, DialRoute route) = 0;
    // A call could not be placed: says why once (balloon), and the icon's tip says so until
    // showCallPlaced.
    virtual void showCallFailure(CallResult result) = 0;
    virtual void showCallPlaced() = 0;
};

} // namespace vellix
