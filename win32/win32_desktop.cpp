#include "win32/win32_desktop.h"

#include "capture/unicode_text.h"
#include "res/resource.h"
#include "rules_dialog/rules_dialog.h"
#include "win32/call_request.h"
#include "win32/clipboard.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace vellix {

static_assert(static_cast<int>(ShowCommand::HIDE) == SW_HIDE &&
              static_cast<int>(ShowCommand::SHOW_NORMAL) == SW_SHOWNORMAL &&
              static_cast<int>(ShowCommand::SHOW_NO_ACTIVATE) == SW_SHOWNOACTIVATE &&
              static_cast<int>(ShowCommand::SHOW) == SW_SHOW &&
              static_cast<int>(ShowCommand::MINIMIZE) == SW_MINIMIZE &&
              static_cast<int>(ShowCommand::RESTORE) == SW_RESTORE);

namespace {

constexpr int TEXT_CAPACITY = 256;
constexpr std::size_t BALLOON_TEXT_CAPACITY = 256;

HWND windowOf(WindowHandle handle) {
    return static_cast<HWND>(handle);
}

HMENU menuOf(MenuHandle handle) {
    return static_cast<HMENU>(handle);
}

} // namespace

bool Win32Desktop::addTrayIcon() {
    return trayIcon_.add(main_);
}

void Win32Desktop::removeTrayIcon() {
    trayIcon_.remove();
}

void Win32Desktop::showTrayMenu(const TrayMenuState& state) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    const ScopedMenu menu(LoadMenuA(instance_, MAKEINTRESOURCEA(IDM_TRAY)));
    HMENU popup = GetSubMenu(menu.get(), 0);
    SetMenuDefaultItem(popup, CMD_SHOW, FALSE);
    CheckMenuItem(popup, CMD_FIND_NUMBERS,
                  MF_BYCOMMAND | (state.findNumbersInText ? MF_CHECKED : MF_UNCHECKED));
    // "Dial with": the "tel:" program by its name, or none to choose.
    char linkItem[TEXT_CAPACITY + 3 * MAX_PATH] = {};
    if (state.linkProgram.empty()) {
        LoadStringA(instance_, IDS_NO_LINK_PROGRAM, linkItem, sizeof linkItem);
    } else {
        char format[TEXT_CAPACITY] = {};
        LoadStringA(instance_, IDS_LINK_PROGRAM, format, sizeof format);
        std::snprintf(linkItem, sizeof linkItem, format, state.linkProgram.c_str());
    }
    ModifyMenuW(popup, CMD_DIAL_WITH_LINK,
                MF_BYCOMMAND | MF_STRING | (state.linkProgram.empty() ? MF_GRAYED : 0),
                CMD_DIAL_WITH_LINK, wideText(linkItem).c_str());
    CheckMenuRadioItem(popup, CMD_DIAL_WITH_TELEPHONY, CMD_DIAL_WITH_LINK,
                       state.dialWith == DialRoute::TEL_LINK ? CMD_DIAL_WITH_LINK
                                                             : CMD_DIAL_WITH_TELEPHONY,
                       MF_BYCOMMAND);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(main_);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0,
                   main_, nullptr);
    PostMessageA(main_, WM_NULL, 0, 0);
}

void Win32Desktop::showWindow(ShowCommand command) {
    ShowWindow(main_, static_cast<int>(command));
    // Above the other windows, without the keyboard.
    if (command == ShowCommand::SHOW_NO_ACTIVATE)
        SetWindowPos(main_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Win32Desktop::isWindowVisible() {
    return IsWindowVisible(main_) != FALSE;
}

void Win32Desktop::bringToForeground() {
    if (IsWindowVisible(main_) != FALSE)
        SetForegroundWindow(main_);
}

void Win32Desktop::destroyWindow() {
    DestroyWindow(main_);
}

void Win32Desktop::quitMessageLoop() {
    PostQuitMessage(0);
}

void Win32Desktop::runAboutDialog() {
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ABOUT), main_, aboutDialogProc, 0);
}

void Win32Desktop::runRulesDialog(RuleSet& rules) {
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_DIALING_RULES), main_, rulesDialogProc,
                    reinterpret_cast<LPARAM>(&rules));
}

void Win32Desktop::bringRulesDialogToFront() {
    // The modal dialog is the main window's enabled popup while it runs.
    const HWND dialog = GetWindow(main_, GW_ENABLEDPOPUP);
    if (dialog != nullptr)
        SetForegroundWindow(dialog);
}

void Win32Desktop::createToolbarStrip() {
    strip_ = buildToolbarStrip(main_);
}

void Win32Desktop::showSingleNumberLayout() {
    vellix::showSingleNumberLayout(strip_);
}

void Win32Desktop::showSeveralNumbersLayout(std::int32_t kind, const char* label) {
    vellix::showSeveralNumbersLayout(strip_, kind, label);
}

void Win32Desktop::scaleTo(int dpi) {
    if (strip_.toolbar != nullptr && dpi > 0)
        scaleToolbarStrip(strip_, dpi);
}

void Win32Desktop::refreshPictures() {
    scaleTo(strip_.dpi);
}

void Win32Desktop::setNumberButtonImage(std::int32_t kind) {
    vellix::setNumberButtonImage(strip_.toolbar, kind);
}

void Win32Desktop::clearNumberBox() {
    SendMessageA(strip_.numberBox, CB_RESETCONTENT, 0, 0);
}

void Win32Desktop::appendToNumberBox(const char* text) {
    const std::wstring wide = wideText(text);
    SendMessageW(strip_.numberBox, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Desktop::setNumberBoxText(const char* text) {
    SetWindowTextW(strip_.numberBox, wideText(text).c_str());
}

void Win32Desktop::selectNumberBoxItem(std::size_t index) {
    SendMessageA(strip_.numberBox, CB_SETCURSEL, index, 0);
}

void Win32Desktop::readNumberBox(char* text, std::size_t size) {
    if (size == 0)
        return;
    // Read as a copied text is: typed full-width digits or pasted dashes dial as theirs.
    const std::string folded = foldedText(windowText(strip_.numberBox));
    const std::size_t length = wholeCharactersIn(folded.c_str(), std::min(folded.size(), size - 1));
    std::copy_n(folded.c_str(), length, text);
    text[length] = '\0';
}

void Win32Desktop::focusNumberBox() {
    SetFocus(strip_.numberBox);
    SendMessageA(strip_.numberBox, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

MenuHandle Win32Desktop::createPopupMenu() {
    return CreatePopupMenu();
}

void Win32Desktop::insertMenuItem(MenuHandle menu, std::size_t position, std::uint32_t command,
                                  const char* text) {
    InsertMenuW(menuOf(menu), static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, command,
                wideText(text).c_str());
}

void Win32Desktop::trackNumberMenu(MenuHandle menu) {
    RECT button = {};
    SendMessageA(strip_.toolbar, TB_GETRECT, CMD_NUMBER_MENU, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(strip_.toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(&button), 2);
    TPMPARAMS params = {};
    params.cbSize = sizeof params;
    // Moved to fit the screen, the menu goes up or down but never over the button.
    params.rcExclude = button;
    TrackPopupMenuEx(menuOf(menu), TPM_VERTICAL, button.left, button.bottom, main_, &params);
}

void Win32Desktop::destroyMenu(MenuHandle menu) {
    DestroyMenu(menuOf(menu));
}

bool Win32Desktop::listenToClipboard() {
    return vellix::listenToClipboard(main_);
}

void Win32Desktop::stopListeningToClipboard() {
    vellix::stopListeningToClipboard(main_);
    RemovePropA(main_, CLIPBOARD_READ_PROPERTY);
}

WindowHandle Win32Desktop::joinClipboardChain() {
    return SetClipboardViewer(main_);
}

void Win32Desktop::leaveClipboardChain(WindowHandle nextViewer) {
    ChangeClipboardChain(main_, windowOf(nextViewer));
    RemovePropA(main_, CLIPBOARD_READ_PROPERTY);
}

void Win32Desktop::forwardClipboardChange(WindowHandle nextViewer, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    SendMessageA(windowOf(nextViewer), WM_DRAWCLIPBOARD, wParam, lParam);
}

void Win32Desktop::forwardChainChange(WindowHandle nextViewer, WindowHandle removed,
                                      WindowHandle following) {
    SendMessageA(windowOf(nextViewer), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                 reinterpret_cast<LPARAM>(following));
}

ClipboardRead Win32Desktop::readClipboardNumbers(CapturedNumberList& numbers, bool findInText) {
    return vellix::readClipboardNumbers(main_, numbers, findInText);
}

void Win32Desktop::scheduleClipboardRetry(std::uint32_t delayMs) {
    SetTimer(main_, CLIPBOARD_RETRY_TIMER, delayMs, nullptr);
}

std::string Win32Desktop::aboutDataFile(UINT formatId, const char* fileName) const {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        folder[0] = L'\0';
    char format[2 * TEXT_CAPACITY + MAX_PATH] = {};
    LoadStringA(instance_, formatId, format, sizeof format);
    char text[sizeof format + 4 * MAX_PATH] = {};
    std::snprintf(text, sizeof text, format, fileName, utf8Text(folder).c_str());
    return text;
}

void Win32Desktop::showSaveFailure(const char* fileName) {
    char title[TEXT_CAPACITY] = {};
    LoadStringA(instance_, IDS_SAVE_FAILED_TITLE, title, sizeof title);
    // Cut to the balloon's room; the file's name comes first, so it always shows.
    const std::string text = aboutDataFile(IDS_SAVE_FAILED_TEXT, fileName);
    trayIcon_.showWarning(title, text.c_str());
    savesFailing_ = true;
    updateTip();
}

void Win32Desktop::showSavesResumed() {
    savesFailing_ = false;
    updateTip();
}

// Data not being saved matters more than a call not placed.
void Win32Desktop::updateTip() {
    trayIcon_.setTip(savesFailing_ ? IDS_TRAY_TIP_NOT_SAVING
                     : callFailed_ ? IDS_TRAY_TIP_CALL_FAILED
                                   : IDS_TRAY_TIP);
}

void Win32Desktop::showCallFailure(CallResult result) {
    char title[TEXT_CAPACITY] = {};
    LoadStringA(instance_, IDS_CALL_FAILED_TITLE, title, sizeof title);
    const UINT reason = result == CallResult::NO_TELEPHONY      ? IDS_CALL_NO_TELEPHONY
                        : result == CallResult::NO_LINK_PROGRAM ? IDS_CALL_NO_LINK_PROGRAM
                                                                : IDS_CALL_NOT_STARTED;
    char text[BALLOON_TEXT_CAPACITY] = {};
    LoadStringA(instance_, reason, text, sizeof text);
    trayIcon_.showWarning(title, text);
    callFailed_ = true;
    updateTip();
}

void Win32Desktop::showCallPlaced() {
    if (!callFailed_)
        return;
    callFailed_ = false;
    updateTip();
}

UnsavedDataChoice Win32Desktop::askAboutUnsavedData(const char* fileName) {
    char title[TEXT_CAPACITY] = {};
    LoadStringA(instance_, IDS_SAVE_FAILED_TITLE, title, sizeof title);
    const std::string text = aboutDataFile(IDS_UNSAVED_AT_EXIT_TEXT, fileName);
    switch (MessageBoxW(main_, wideText(text).c_str(), wideText(title).c_str(),
                        MB_YESNOCANCEL | MB_ICONWARNING | MB_SETFOREGROUND)) {
    case IDYES:
        return UnsavedDataChoice::KEEP_IN_FILE;
    case IDNO:
        return UnsavedDataChoice::EXIT_WITHOUT_IT;
    default:
        return UnsavedDataChoice::GO_BACK;
    }
}

void Win32Desktop::holdSessionEnd(const char* reason) {
    if (reason[0] == '\0') {
        ShutdownBlockReasonDestroy(main_);
        return;
    }
    ShutdownBlockReasonCreate(main_, wideText(reason).c_str());
}

std::string Win32Desktop::chooseFileToKeep(const char* suggestedName) {
    wchar_t path[MAX_PATH] = {};
    lstrcpynW(path, wideText(suggestedName).c_str(), MAX_PATH);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = main_;
    dialog.lpstrFilter = L"Vellix data (*.dat)\0*.dat\0All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"dat";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    return GetSaveFileNameW(&dialog) != FALSE ? utf8Text(path) : std::string();
}

std::string Win32Desktop::regionalCallingCode() {
    // The country's code "based on international phone codes", as the system documents it.
    char code[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, code, sizeof code) == 0)
        return {};
    return code;
}

bool Win32Desktop::isLeftCtrlDown() {
    return (static_cast<unsigned short>(GetAsyncKeyState(VK_LCONTROL)) & 0x8000U) != 0;
}

CallHandlers Win32Desktop::callHandlers() {
    return findCallHandlers();
}

CallResult Win32Desktop::requestCall(const char* address, DialRoute route) {
    return vellix::requestCall(address, route);
}

} // namespace vellix
