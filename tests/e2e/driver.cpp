// Plays the user and the companion program against a running Vellix: puts data on the
// clipboard, finds the main window by its class, reads its controls and sends it messages.
// Each command prints what it found and exits 0 when the expectation held, 1 otherwise.
// Waits poll until a deadline; none blocks for good.

#include <windows.h>

#include "driver.h"
#include "res/resource.h"
#include "rules_dialog/rule_row.h"
#include "rules_dialog/rules_dialog_layout.h"
#include "win32/clipboard.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace vellix::e2e {

constexpr DWORD POLL_MS = 50;
constexpr DWORD CHANGE_MS = 10000;

using Check = bool (*)(const std::string& expected);

// The program runs in a virtual desktop, named by VELLIX_DESKTOP, which may not exist yet
// when the driver starts; its windows are found only from inside it.
bool joinProgramDesktop() {
    static bool joined = false;
    if (!joined) {
        const char* name = std::getenv("VELLIX_DESKTOP");
        HDESK desktop = OpenDesktopA(name != nullptr ? name : "vellix", 0, FALSE, GENERIC_ALL);
        joined = desktop != nullptr && SetThreadDesktop(desktop);
    }
    return joined;
}

HWND mainWindow() {
    return joinProgramDesktop() ? FindWindowA(MAIN_WINDOW_CLASS, nullptr) : nullptr;
}

HWND toolbarOf(HWND main) {
    return main != nullptr ? FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr) : nullptr;
}

HWND numberBoxOf(HWND main) {
    HWND toolbar = toolbarOf(main);
    return toolbar != nullptr ? FindWindowExA(toolbar, nullptr, "ComboBox", nullptr) : nullptr;
}

std::string windowText(HWND window) {
    char text[256] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

struct ClipboardItem {
    UINT format;
    std::string bytes;
};

bool setClipboardItem(const ClipboardItem& item) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(item.bytes.size(), 1));
    if (memory == nullptr)
        return false;
    std::memcpy(GlobalLock(memory), item.bytes.data(), item.bytes.size());
    GlobalUnlock(memory);
    if (SetClipboardData(item.format, memory) != nullptr)
        return true;
    GlobalFree(memory);
    return false;
}

// Replaces the clipboard's content with the items, in one change.
bool putOnClipboard(const std::vector<ClipboardItem>& items) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr))
            break;
        Sleep(POLL_MS);
    }
    EmptyClipboard();
    bool put = true;
    for (const ClipboardItem& item : items)
        put = setClipboardItem(item) && put;
    CloseClipboard();
    return put;
}

bool putOnClipboard(UINT format, const std::string& bytes) {
    return putOnClipboard({{format, bytes}});
}

DWORD clipboardTaken(HWND main) {
    return static_cast<DWORD>(
        reinterpret_cast<std::uintptr_t>(GetPropA(main, CLIPBOARD_READ_PROPERTY)));
}

bool waitClipboardTaken(HWND main, DWORD sequence) {
    const ULONGLONG deadline = GetTickCount64() + CHANGE_MS;
    while (static_cast<LONG>(clipboardTaken(main) - sequence) < 0) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(1);
    }
    return true;
}

// Puts a change on the clipboard and returns once the program has read it.
bool changeClipboard(const std::vector<ClipboardItem>& items) {
    HWND main = mainWindow();
    return main != nullptr && putOnClipboard(items) &&
           waitClipboardTaken(main, GetClipboardSequenceNumber());
}

bool changeClipboard(UINT format, const std::string& bytes) {
    return changeClipboard({{format, bytes}});
}

// Handles the driver's own window messages for ms.
void pumpMessages(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    } while (GetTickCount64() < end);
}

// A copy made while the user works in another program: the program's window comes up on top,
// and the keyboard stays with the program the copy was made in.
bool copyWhileWorking(const std::string& text) {
    HWND main = mainWindow();
    if (main == nullptr)
        return false;
    WNDCLASSA workClass = {};
    workClass.lpfnWndProc = DefWindowProcA;
    workClass.hInstance = GetModuleHandleA(nullptr);
    workClass.lpszClassName = "VellixDriverWork";
    RegisterClassA(&workClass);
    HWND work =
        CreateWindowExA(0, workClass.lpszClassName, "Work", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                        40, 400, 300, nullptr, nullptr, workClass.hInstance, nullptr);
    SetForegroundWindow(work);
    pumpMessages(POLL_MS);
    const bool changed = GetForegroundWindow() == work && changeClipboard(CF_TEXT, text + '\0');
    bool shown = false;
    const ULONGLONG deadline = GetTickCount64() + CHANGE_MS;
    while (changed && !shown && GetTickCount64() < deadline) {
        pumpMessages(POLL_MS);
        shown = IsWindowVisible(main) != FALSE;
    }
    HWND foreground = GetForegroundWindow();
    // Above the window the user works in: the first of the two in the z-order.
    HWND above = GetWindow(work, GW_HWNDFIRST);
    while (above != nullptr && above != main && above != work)
        above = GetWindow(above, GW_HWNDNEXT);
    const bool kept = foreground == work;
    if (!(changed && shown && kept && above == main))
        std::printf("copied: %d, shown: %d, foreground %p (work %p, program %p), on top: %p\n",
                    changed, shown, static_cast<void*>(foreground), static_cast<void*>(work),
                    static_cast<void*>(main), static_cast<void*>(above));
    DestroyWindow(work);
    return changed && shown && kept && above == main;
}

// Text with the mark a password manager adds to keep it private: a format with no content
// that matters, or "CanIncludeInClipboardHistory" holding the DWORD value.
bool changeClipboardMarked(const std::string& text, const std::string& mark,
                           const std::string& value) {
    std::string markBytes(1, '\0');
    if (!value.empty()) {
        const DWORD number = std::strtoul(value.c_str(), nullptr, 10);
        markBytes.assign(reinterpret_cast<const char*>(&number), sizeof number);
    }
    return changeClipboard(
        {{CF_TEXT, text + '\0'}, {RegisterClipboardFormatA(mark.c_str()), markBytes}});
}

bool programAnswers(HWND main) {
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr) != 0;
}

// A change followed at once by another program holding the clipboard open for ms, as
// clipboard managers do: the program cannot read it meanwhile, must go on answering with
// the box as it was, and reads the change once the clipboard is free. The program's thread
// waits while the change is made, so that it cannot read it before the clipboard is held.
bool changeClipboardHeld(UINT format, const std::string& bytes, DWORD ms) {
    HWND main = mainWindow();
    HANDLE thread = main != nullptr ? OpenThread(THREAD_SUSPEND_RESUME, FALSE,
                                                 GetWindowThreadProcessId(main, nullptr))
                                    : nullptr;
    if (thread == nullptr)
        return false;
    const std::string boxBefore = windowText(numberBoxOf(main));
    const bool suspended = SuspendThread(thread) != static_cast<DWORD>(-1);
    const bool put = suspended && putOnClipboard(format, bytes);
    const DWORD sequence = GetClipboardSequenceNumber();
    const bool opened = put && OpenClipboard(nullptr) != FALSE;
    if (suspended)
        ResumeThread(thread);
    CloseHandle(thread);
    bool kept = opened;
    const ULONGLONG end = GetTickCount64() + ms;
    while (kept && GetTickCount64() < end) {
        kept = programAnswers(main) && windowText(numberBoxOf(main)) == boxBefore;
        Sleep(POLL_MS);
    }
    if (opened)
        CloseClipboard();
    if (!kept)
        std::printf("the box changed from '%s' to '%s' while the clipboard was held, or the "
                    "program did not answer\n",
                    boxBefore.c_str(), windowText(numberBoxOf(main)).c_str());
    return kept && waitClipboardTaken(main, sequence);
}

// Another clipboard viewer joins the chain and dies without leaving it, as a crashing
// clipboard tool does.
[[noreturn]] void crashInViewerChain() {
    HWND viewer = createViewerWindow(DefWindowProcA, "VellixCrashingViewer");
    SetClipboardViewer(viewer);
    std::printf("ok: a viewer joined the chain and crashes\n");
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 0);
    ExitProcess(0);
}

HWND createViewerWindow(WNDPROC procedure, const char* className) {
    WNDCLASSA viewerClass = {};
    viewerClass.lpfnWndProc = procedure;
    viewerClass.hInstance = GetModuleHandleA(nullptr);
    viewerClass.lpszClassName = className;
    RegisterClassA(&viewerClass);
    return CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           viewerClass.hInstance, nullptr);
}

// The UTF-16 bytes, NUL included, of an ASCII text in which "\uXXXX" stands for any other
// character: the command line reaches the driver in the ANSI code page.
std::string unicodeBytes(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned unit = static_cast<unsigned char>(text[i]);
        if (text.compare(i, 2, "\\u") == 0 && i + 6 <= text.size()) {
            unit = static_cast<unsigned>(std::stoul(text.substr(i + 2, 4), nullptr, 16));
            i += 5;
        }
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes + std::string(2, '\0');
}

// Plays another program that holds a file open, shared with no one, as a backup or a virus
// scanner does: says so in a file beside the release marker ("<marker>.held"), and lets go
// once the marker exists, or after two minutes.
int holdFile(const std::string& path, const std::string& releaseMarker) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return report(false, "'" + path + "' held");
    std::FILE* held = std::fopen((releaseMarker + ".held").c_str(), "wb");
    if (held != nullptr)
        std::fclose(held);
    const ULONGLONG deadline = GetTickCount64() + 120000;
    while (GetFileAttributesA(releaseMarker.c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetTickCount64() < deadline)
        Sleep(POLL_MS);
    CloseHandle(file);
    return report(true, "'" + path + "' held and let go");
}

// The program's top-level dialog with the title, waited for until timeoutMs have passed.
HWND waitForDialog(const std::string& title, DWORD timeoutMs) {
    if (!joinProgramDesktop())
        return nullptr;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        HWND dialog = FindWindowA(MAKEINTATOM(32770), title.c_str());
        if (dialog != nullptr || GetTickCount64() >= deadline)
            return dialog;
        Sleep(POLL_MS);
    }
}

// Clicks a button of the program's dialog with the title: the user answers a message box.
int clickDialogButton(const std::string& title, int button, DWORD timeoutMs) {
    HWND dialog = waitForDialog(title, timeoutMs);
    HWND control = dialog != nullptr ? GetDlgItem(dialog, button) : nullptr;
    return report(control != nullptr && PostMessageA(control, BM_CLICK, 0, 0) != FALSE,
                  "button " + std::to_string(button) + " of '" + title + "' clicked");
}

// Types a path into the Save As dialog's file name and presses its Save button.
int saveAs(const std::string& path, DWORD timeoutMs) {
    HWND dialog = waitForDialog("Save As", timeoutMs);
    // The file name is a combo box (cmb13) in the newer dialog, an edit (edt1) in the older.
    HWND name = dialog != nullptr ? GetDlgItem(dialog, 0x47c) : nullptr;
    if (name == nullptr && dialog != nullptr)
        name = GetDlgItem(dialog, 0x480);
    if (name == nullptr)
        return report(false, "Save As dialog with a file name box");
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return report(PostMessageA(dialog, WM_COMMAND, IDOK, 0) != FALSE, "saved as '" + path + "'");
}

// Polls check until it holds or timeoutMs have passed.
bool waitFor(Check check, const std::string& expected, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (check(expected))
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(POLL_MS);
    }
}

bool windowExists(const std::string& /*expected*/) {
    return mainWindow() != nullptr;
}

bool windowGone(const std::string& /*expected*/) {
    return mainWindow() == nullptr;
}

bool visibilityIs(const std::string& expected) {
    HWND main = mainWindow();
    return main != nullptr && (IsWindowVisible(main) != FALSE) == (expected == "shown");
}

bool boxTextIs(const std::string& expected) {
    HWND box = numberBoxOf(mainWindow());
    return box != nullptr && windowText(box) == expected;
}

bool numberButtonIs(const std::string& expected) {
    HWND toolbar = toolbarOf(mainWindow());
    if (toolbar == nullptr)
        return false;
    const LRESULT state = SendMessageA(toolbar, TB_GETSTATE, CMD_NUMBER_MENU, 0);
    if (state == -1)
        return false;
    return ((state & TBSTATE_HIDDEN) == 0) == (expected == "shown");
}

HWND menuWindow() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

bool menuOpen(const std::string& /*expected*/) {
    return menuWindow() != nullptr;
}

// Asks the notification area to modify nothing of an icon: it agrees only when the icon is
// there.
bool trayIconPresent(UINT id) {
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = mainWindow();
    record.uID = id;
    return record.hWnd != nullptr && Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool trayIconIs(const std::string& expected) {
    // Another id never exists, which shows the question can fail.
    return trayIconPresent(TRAY_ICON_ID) == (expected == "present") &&
           !trayIconPresent(TRAY_ICON_ID + 1);
}

HWND dialButtonOf(HWND main) {
    HWND toolbar = toolbarOf(main);
    return toolbar != nullptr ? FindWindowExA(toolbar, nullptr, "Button", "Dial") : nullptr;
}

// Across processes Wine hands list texts back as UTF-16 whatever the call, so the wide
// message is sent; the numbers are ASCII.
std::string boxItem(HWND box, int index) {
    wchar_t wide[256] = {};
    const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, index, 0);
    if (length < 0 || length >= 256)
        return "?";
    SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
    std::string text;
    for (const wchar_t* c = wide; *c != 0; ++c)
        text += static_cast<char>(*c);
    return text;
}

// The items, one a line, the selected one marked with a '*' in front.
int printBoxItems() {
    HWND box = numberBoxOf(mainWindow());
    if (box == nullptr)
        return report(false, "number box found");
    const auto count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i)
        std::printf("%s%s\n", i == selected ? "*" : "", boxItem(box, i).c_str());
    return 0;
}

int setBoxText(const std::string& text) {
    HWND box = numberBoxOf(mainWindow());
    return report(box != nullptr && SendMessageA(box, WM_SETTEXT, 0,
                                                 reinterpret_cast<LPARAM>(text.c_str())) != FALSE,
                  "number box set to '" + text + "'");
}

// Types text into the number box's field character by character, as the keyboard would, after
// emptying it: the field takes only what it lets the user type.
int typeIntoBox(const std::string& text) {
    HWND box = numberBoxOf(mainWindow());
    HWND field = box != nullptr ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
    if (field == nullptr)
        return report(false, "number box's field found");
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (const char c : text)
        SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
    const std::string typed = windowText(box);
    return report(typed == text, "typed '" + text + "', the box holds '" + typed + "'");
}

void pressLeftCtrl(bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_LCONTROL;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// Clicks Dial the way the button itself does on a mouse click; returns once the program has
// handled the click.
int clickDial(bool withLeftCtrl) {
    HWND button = dialButtonOf(mainWindow());
    if (button == nullptr)
        return report(false, "Dial button found");
    if (withLeftCtrl)
        pressLeftCtrl(true);
    const bool sent =
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
    if (withLeftCtrl)
        pressLeftCtrl(false);
    return report(sent, withLeftCtrl ? "Dial clicked with left Ctrl" : "Dial clicked");
}

// Dials text count times and prints the median and the slowest dial in ms: from the click
// until the program waits for input again, having called, learned and saved. A benchmark's
// measurement.
int timeDials(int count, const std::string& text) {
    HWND main = mainWindow();
    HWND box = numberBoxOf(main);
    HWND button = dialButtonOf(main);
    HANDLE process = main != nullptr ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE,
                                                   processOf(main))
                                     : nullptr;
    if (box == nullptr || button == nullptr || process == nullptr || count < 1)
        return report(false, "number box, Dial button and the program's process found");
    std::vector<double> times;
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < count; ++i) {
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        LARGE_INTEGER start{};
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&start);
        if (SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 30000, nullptr) == 0 ||
            WaitForInputIdle(process, 30000) != 0) {
            CloseHandle(process);
            return report(false, "Dial clicked and the program idle again");
        }
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    CloseHandle(process);
    std::sort(times.begin(), times.end());
    std::printf("%.1f %.1f\n", times[times.size() / 2], times.back());
    return 0;
}

// The window that keys go to: the focus of the foreground thread.
HWND keyboardFocus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return joinProgramDesktop() && GetGUIThreadInfo(0, &info) ? info.hwndFocus : nullptr;
}

bool focusIs(const std::string& expected) {
    HWND main = mainWindow();
    HWND focus = keyboardFocus();
    if (main == nullptr || focus == nullptr)
        return false;
    if (expected == "box") {
        HWND box = numberBoxOf(main);
        return focus == box || IsChild(box, focus);
    }
    if (expected == "number-button")
        return focus == toolbarOf(main);
    return expected == "dial" && focus == dialButtonOf(main);
}

bool listIs(const std::string& expected) {
    HWND box = numberBoxOf(mainWindow());
    return box != nullptr &&
           (SendMessageA(box, CB_GETDROPPEDSTATE, 0, 0) != FALSE) == (expected == "open");
}

// Presses keys as the user does, to whichever window has the focus: "enter", "escape", "tab",
// "alt+down" or "alt+/" (the character, wherever the keyboard layout has it).
int pressKeys(const std::string& keys) {
    std::vector<WORD> held;
    WORD key = 0;
    if (keys == "enter") {
        key = VK_RETURN;
    } else if (keys == "escape") {
        key = VK_ESCAPE;
    } else if (keys == "tab") {
        key = VK_TAB;
    } else if (keys == "alt+down") {
        held.push_back(VK_MENU);
        key = VK_DOWN;
    } else if (keys == "alt+/") {
        const SHORT scan = VkKeyScanA('/');
        if (scan == -1)
            return report(false, "'/' on the keyboard");
        held.push_back(VK_MENU);
        if ((scan & 0x100) != 0)
            held.push_back(VK_SHIFT);
        key = LOBYTE(scan);
    } else {
        return report(false, "keys '" + keys + "' known");
    }
    // Input goes to the desktop of the thread that sends it.
    if (!joinProgramDesktop())
        return report(false, "program's desktop joined");
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD virtualKey, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (const WORD k : held)
        add(k, false);
    add(key, false);
    add(key, true);
    for (auto k = held.rbegin(); k != held.rend(); ++k)
        add(*k, true);
    const auto count = static_cast<UINT>(inputs.size());
    return report(SendInput(count, inputs.data(), sizeof(INPUT)) == count, keys + " pressed");
}

HWND aboutDialog() {
    if (!joinProgramDesktop())
        return nullptr;
    HWND dialog = FindWindowA(MAKEINTATOM(32770), "About");
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

bool aboutIs(const std::string& expected) {
    return (aboutDialog() != nullptr) == (expected == "open");
}

// Sets the menu probe's hook on the program's thread; the program loads the probe then.
HHOOK hookMenuProbe(HWND main) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* name = std::strrchr(path, '\\');
    if (name == nullptr)
        return nullptr;
    std::strcpy(name + 1, "menu_probe.dll");
    HMODULE probe = LoadLibraryA(path);
    auto hook =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "readMenuHook")));
    if (hook == nullptr)
        return nullptr;
    return SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, GetWindowThreadProcessId(main, nullptr));
}

// Once a menu opens, has the hooked probe write its items to the file that which names
// (0 number menu, 1 notification menu), unhooks it, and picks item pick with the keyboard, or
// closes the menu when pick is negative. True when the menu was read and has closed.
bool readAndPick(HHOOK hook, WPARAM which, int pick, DWORD timeoutMs) {
    const bool opened = waitFor(menuOpen, "", timeoutMs);
    HWND menuWin = menuWindow();
    const bool read =
        opened && SendMessageTimeoutA(menuWin, RegisterWindowMessageA("VellixReadMenu"), which, 0,
                                      SMTO_ABORTIFHUNG, timeoutMs, nullptr) != 0;
    UnhookWindowsHookEx(hook);
    if (!opened)
        return false;
    if (pick < 0) {
        PostMessageA(menuWin, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
        for (int i = 0; i <= pick; ++i)
            PostMessageA(menuWin, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menuWin, WM_KEYDOWN, VK_RETURN, 0);
    }
    return read && waitFor([](const std::string&) { return !menuOpen(""); }, "", timeoutMs);
}

// Opens the number menu as the number button does, has the probe write its items to
// "number-menu.txt" in the program's directory, and picks item pick (counting from 0) with
// the keyboard, or closes the menu when pick is negative.
// How the number menu is opened: by the command, a click on the button's arrow, or Enter on
// the number button the keyboard focus is on.
enum class MenuOpening { COMMAND, ARROW, KEY };

int numberMenu(int pick, DWORD timeoutMs, MenuOpening opening) {
    const bool byArrow = opening == MenuOpening::ARROW;
    HWND main = mainWindow();
    if (main == nullptr)
        return report(false, "main window for the number menu");
    HHOOK hook = hookMenuProbe(main);
    if (hook == nullptr)
        return report(false, "menu probe hooked");
    HWND toolbar = toolbarOf(main);
    // The arrow is the right-hand part of the number button, which ends where the number box
    // begins (x 38); a press there makes the toolbar report a drop-down.
    RECT strip = {};
    GetClientRect(toolbar, &strip);
    const LPARAM onArrow = MAKELPARAM(33, (strip.bottom - strip.top) / 2);
    if (byArrow)
        PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, onArrow);
    else if (opening == MenuOpening::KEY)
        PostMessageA(toolbar, WM_KEYDOWN, VK_RETURN, 0);
    else
        PostMessageA(main, WM_COMMAND, CMD_NUMBER_MENU, 0);
    const bool done = readAndPick(hook, 0, pick, timeoutMs);
    if (byArrow)
        PostMessageA(toolbar, WM_LBUTTONUP, 0, onArrow);
    return report(done, "number menu read and closed");
}

// Opens the notification menu as a right click on the icon does, has the probe write its
// items to "tray-menu.txt" in the program's directory, and picks item pick (counting from
// 0, separators not counted) or closes the menu when pick is negative.
// Asks for the icon's menu as the shell does when the user right-clicks the icon or presses
// the menu key on it.
void openTrayMenu(HWND main) {
    PostMessageA(main, TRAY_CALLBACK_MESSAGE, TRAY_ICON_ID,
                 MAKELPARAM(WM_CONTEXTMENU, TRAY_ICON_ID));
}

int trayMenu(int pick, DWORD timeoutMs) {
    HWND main = mainWindow();
    HHOOK hook = main != nullptr ? hookMenuProbe(main) : nullptr;
    if (hook == nullptr)
        return report(false, "menu probe hooked");
    openTrayMenu(main);
    return report(readAndPick(hook, 1, pick, timeoutMs), "notification menu read and closed");
}

// Texts of another process's tooltip window, read through memory lent inside that process:
// the tooltip copies its texts only to an address of its own.
class RemoteTooltip {
public:
    explicit RemoteTooltip(HWND tip) : tip_(tip) {
        DWORD process = 0;
        GetWindowThreadProcessId(tip, &process);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (process_ != nullptr)
            memory_ = VirtualAllocEx(process_, nullptr, sizeof(Lent), MEM_COMMIT, PAGE_READWRITE);
    }
    RemoteTooltip(const RemoteTooltip&) = delete;
    RemoteTooltip& operator=(const RemoteTooltip&) = delete;
    ~RemoteTooltip() {
        if (memory_ != nullptr)
            VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr)
            CloseHandle(process_);
    }

    // The texts of every tool, then the title when there is one.
    std::vector<std::string> texts() {
        std::vector<std::string> texts;
        if (memory_ == nullptr)
            return texts;
        auto* lent = static_cast<Lent*>(memory_);
        const auto tools = SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < tools; ++i) {
            TTTOOLINFOW tool = {};
            tool.cbSize = sizeof tool;
            tool.lpszText = lent->text;
            if (put(&lent->tool, tool) &&
                SendMessageW(tip_, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&lent->tool)))
                texts.push_back(text(lent->text));
        }
        TTGETTITLE title = {};
        title.dwSize = sizeof title;
        title.cch = TEXT_CHARS;
        title.pszTitle = lent->text;
        if (put(&lent->text[0], L'\0') && put(&lent->title, title)) {
            SendMessageW(tip_, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&lent->title));
            const std::string titleText = text(lent->text);
            if (!titleText.empty())
                texts.push_back(titleText);
        }
        return texts;
    }

private:
    static constexpr int TEXT_CHARS = 1024;
    struct Lent {
        TTTOOLINFOW tool;
        TTGETTITLE title;
        wchar_t text[TEXT_CHARS];
    };

    template <typename T> bool put(T* remote, const T& value) {
        return WriteProcessMemory(process_, remote, &value, sizeof value, nullptr) != FALSE;
    }

    // The texts are ASCII.
    std::string text(const wchar_t* remote) {
        wchar_t wide[TEXT_CHARS] = {};
        if (!ReadProcessMemory(process_, remote, wide, sizeof wide - sizeof(wchar_t), nullptr))
            return "";
        std::string narrow;
        for (const wchar_t* c = wide; *c != 0; ++c)
            narrow += static_cast<char>(*c);
        return narrow;
    }

    HWND tip_;
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

// The texts of every tooltip and balloon on the program's desktop, such as the notification
// area's tips and balloons.
std::vector<std::string> tooltipTexts() {
    std::vector<std::string> texts;
    if (!joinProgramDesktop())
        return texts;
    for (HWND tip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tip != nullptr;
         tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) {
        RemoteTooltip remote(tip);
        for (std::string& text : remote.texts())
            texts.push_back(std::move(text));
    }
    return texts;
}

bool tooltipShows(const std::string& expected) {
    for (const std::string& text : tooltipTexts()) {
        if (text.find(expected) != std::string::npos)
            return true;
    }
    return false;
}

bool noTooltipShows(const std::string& expected) {
    return !tooltipShows(expected);
}

// Stands in for the system's handler of "tel:" URIs: appends the URI it was given to log.
int recordTelUri(const std::string& log, const std::string& uri) {
    std::FILE* file = std::fopen(log.c_str(), "ab");
    if (file == nullptr)
        return 1;
    std::fprintf(file, "%s\n", uri.c_str());
    std::fclose(file);
    return 0;
}

int report(bool held, const std::string& what) {
    std::printf("%s: %s\n", held ? "ok" : "FAILED", what.c_str());
    return held ? 0 : 1;
}

int wait(Check check, const std::string& expected, const char* timeout, const std::string& what) {
    return report(waitFor(check, expected, std::strtoul(timeout, nullptr, 10)), what);
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

int exitFromTrayMenu(DWORD timeoutMs) {
    HWND main = mainWindow();
    if (main == nullptr)
        return report(false, "main window to exit");
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processOf(main));
    openTrayMenu(main);
    if (!waitFor(menuOpen, "", timeoutMs))
        return report(false, "notification menu opened");
    // The mnemonic of "E&xit".
    PostMessageA(menuWindow(), WM_CHAR, 'x', 0);
    const bool ended = process != nullptr && WaitForSingleObject(process, timeoutMs) == 0;
    if (process != nullptr)
        CloseHandle(process);
    return report(ended, "process ended through Exit");
}

// Asks the program whether the session may end, as Windows does at sign-out ("logoff") or
// Restart Manager does for an installer ("close-app"), and reports the answer: "yes" or
// "held". With "end", the session then ends as Windows tells it, as it does once everyone
// has answered yes.
int querySessionEnd(const std::string& who, const std::string& expected, bool end) {
    HWND main = mainWindow();
    const LPARAM reason = who == "close-app" ? ENDSESSION_CLOSEAPP : ENDSESSION_LOGOFF;
    DWORD_PTR answer = 0;
    const bool answered =
        main != nullptr && SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, reason, SMTO_NORMAL,
                                               CHANGE_MS, &answer) != 0;
    const std::string actual = answer != 0 ? "yes" : "held";
    if (answered && actual != expected)
        std::printf("the program answered %s, expected %s\n", actual.c_str(), expected.c_str());
    if (answered && end)
        SendMessageTimeoutA(main, WM_ENDSESSION, answer != 0 ? TRUE : FALSE, reason, SMTO_NORMAL,
                            CHANGE_MS, nullptr);
    return report(answered && actual == expected, who + " answered " + expected);
}

int terminateProgram() {
    HWND main = mainWindow();
    if (main == nullptr)
        return report(true, "no program left to end");
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processOf(main));
    const bool ended = process != nullptr && TerminateProcess(process, 1) &&
                       WaitForSingleObject(process, 5000) == 0;
    if (process != nullptr)
        CloseHandle(process);
    return report(ended, "program ended");
}

// The Dialing Rules dialog. Its rows are found by their control ids: nine a row from 1024,
// with gaps where rows were deleted; only the rows in view have controls.
constexpr int MAX_ROWS = 2000;

HWND rulesDialog() {
    if (!joinProgramDesktop())
        return nullptr;
    HWND dialog = FindWindowA(MAKEINTATOM(32770), RULES_DIALOG_TITLE);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

bool rulesDialogOpen(const std::string& /*expected*/) {
    return rulesDialog() != nullptr;
}

bool rulesDialogClosed(const std::string& /*expected*/) {
    return rulesDialog() == nullptr;
}

// The first control ids of the rows there are, in order.
std::vector<int> ruleRowIds(HWND dialog) {
    std::vector<int> rows;
    for (int row = 0; row < MAX_ROWS; ++row) {
        const int id = FIRST_ROW_CONTROL_ID + CONTROLS_PER_ROW * row;
        if (GetDlgItem(dialog, id) != nullptr)
            rows.push_back(id);
    }
    return rows;
}

// A control's place in the dialog's client area, or the dialog's outer size.
RECT placeOf(HWND dialog, HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string describePlace(const RECT& place) {
    return std::to_string(place.left) + " " + std::to_string(place.top) + " " +
           std::to_string(place.right - place.left) + " " +
           std::to_string(place.bottom - place.top);
}

// One line a row, its controls left to right: Dial, pattern, numbers as, replacement, enabled
// label, check box, verified label, Confirm.
int printRules(HWND dialog) {
    for (const int id : ruleRowIds(dialog)) {
        const auto text = [dialog, id](RowControl control) {
            return windowText(GetDlgItem(dialog, id + control));
        };
        const LRESULT check = SendDlgItemMessageA(dialog, id + ENABLE_BOX, BM_GETCHECK, 0, 0);
        const bool confirmShown = IsWindowVisible(GetDlgItem(dialog, id + CONFIRM_BUTTON)) != FALSE;
        std::printf("%s|%s|%s|%s|%s|%s|%s|%s\n", text(DIAL_LABEL).c_str(),
                    text(PATTERN_BOX).c_str(), text(AS_LABEL).c_str(),
                    text(REPLACEMENT_EDIT).c_str(), text(ENABLED_LABEL).c_str(),
                    check == BST_CHECKED ? "ticked" : "clear", text(VERIFIED_LABEL).c_str(),
                    confirmShown ? "confirm" : "no confirm");
    }
    return 0;
}

// The tops of the rows (their check boxes), then the group box, OK, Cancel and the
// dialog's outer size.
int printRulesLayout(HWND dialog) {
    std::string rows;
    for (const int id : ruleRowIds(dialog))
        rows += " " + std::to_string(placeOf(dialog, GetDlgItem(dialog, id + ENABLE_BOX)).top);
    RECT outer{};
    GetWindowRect(dialog, &outer);
    std::printf("rows%s\ngroup %s\nok %s\ncancel %s\ndialog %ld %ld\n", rows.c_str(),
                describePlace(placeOf(dialog, GetDlgItem(dialog, IDC_RULES_GROUP))).c_str(),
                describePlace(placeOf(dialog, GetDlgItem(dialog, IDOK))).c_str(),
                describePlace(placeOf(dialog, GetDlgItem(dialog, IDCANCEL))).c_str(),
                outer.right - outer.left, outer.bottom - outer.top);
    return 0;
}

// The pixels on the screen inside a control, its frame left out. They are read from the
// screen, so a control that was moved or filled but not painted shows none of its own.
std::vector<std::uint32_t> screenPixelsOf(HWND control) {
    constexpr int FRAME = 3;
    RECT place{};
    GetWindowRect(control, &place);
    const int width = place.right - place.left - 2 * FRAME;
    const int height = place.bottom - place.top - 2 * FRAME;
    std::vector<std::uint32_t> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(copy, bitmap);
    const bool read = bits != nullptr && BitBlt(copy, 0, 0, width, height, screen,
                                                place.left + FRAME, place.top + FRAME, SRCCOPY);
    if (read) {
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.assign(first, first + static_cast<std::ptrdiff_t>(width) * height);
    }
    SelectObject(copy, before);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Dark pixels inside a control: the text drawn there.
int inkOf(HWND control) {
    int ink = 0;
    for (const std::uint32_t pixel : screenPixelsOf(control)) {
        const unsigned sum = (pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF);
        ink += sum < 3 * 100 ? 1 : 0;
    }
    return ink;
}

// Every row in view shows its pattern and its replacement on the screen, once the dialog has
// had the time to paint.
int checkRulesDrawn(HWND dialog) {
    int rows = 0;
    std::string blank;
    const ULONGLONG deadline = GetTickCount64() + 3000;
    do {
        Sleep(POLL_MS);
        rows = 0;
        blank.clear();
        for (const int id : ruleRowIds(dialog)) {
            ++rows;
            const int pattern = inkOf(GetDlgItem(dialog, id + PATTERN_BOX));
            const int replacement = inkOf(GetDlgItem(dialog, id + REPLACEMENT_EDIT));
            if (pattern == 0 || replacement == 0)
                blank += " '" + windowText(GetDlgItem(dialog, id + PATTERN_BOX)) + "' (pattern " +
                         std::to_string(pattern) + ", replacement " + std::to_string(replacement) +
                         " dark pixels)";
        }
    } while (!blank.empty() && GetTickCount64() < deadline);
    return report(rows > 0 && blank.empty(), std::to_string(rows) +
                                                 " rows in view, each drawn on the screen" +
                                                 (blank.empty() ? "" : "; blank:" + blank));
}

bool insideOf(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// What one window holds, for the checks of a laid out window.
struct Placed {
    HWND window;
    std::string name;
    RECT place;
};

BOOL CALLBACK collectShown(HWND window, LPARAM list) {
    if (IsWindowVisible(window) != FALSE)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool isGroupBox(HWND window) {
    return classOf(window) == "Button" &&
           (GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The program shows every text in the message font at its window's scale. Fonts cannot be
// shared between processes, so the driver makes the same one.
HFONT messageFontAt(int dpi) {
    using Function = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    const auto forDpi = reinterpret_cast<Function>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi == nullptr ||
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)) == 0)
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// How much room a text needs in the font: its width, and the height of a line.
SIZE textExtent(HFONT font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, font);
    SIZE size{};
    TEXTMETRICA metrics{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    GetTextMetricsA(dc, &metrics);
    size.cy = metrics.tmHeight;
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return size;
}

// Where a text is cut: a label, button or field too small for its text in its font.
std::string cutText(HWND window, HFONT font) {
    const std::string kind = classOf(window);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const bool field = kind == "Edit";
    const bool label = kind == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
    const bool textButton = kind == "Button" && (style & (BS_BITMAP | BS_ICON)) == 0 &&
                            (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
    const std::string text = field ? std::string() : windowText(window);
    if (!field && !((label || textButton) && !text.empty()))
        return {};
    RECT inside{};
    GetClientRect(window, &inside);
    const SIZE needed = textExtent(font, text);
    const int width = inside.right - inside.left;
    const int height = inside.bottom - inside.top;
    if ((!field && needed.cx > width) || needed.cy > height)
        return " '" + (field ? kind : text) + "' needs " + std::to_string(needed.cx) + "x" +
               std::to_string(needed.cy) + " px, has " + std::to_string(width) + "x" +
               std::to_string(height) + ";";
    return {};
}

bool overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// Every shown control of the window lies inside its parent, shows its text whole in the
// message font at the scale, and overlaps no other control but those it holds; a group box
// may hold the others.
int checkFit(HWND top, int dpi) {
    HFONT font = messageFontAt(dpi);
    if (font == nullptr)
        return report(false, "message font at " + std::to_string(dpi) + " dpi");
    std::vector<HWND> shown;
    EnumChildWindows(top, collectShown, reinterpret_cast<LPARAM>(&shown));
    std::vector<Placed> placed;
    std::string faults;
    for (HWND window : shown) {
        RECT place{};
        GetWindowRect(window, &place);
        RECT parent{};
        GetClientRect(GetParent(window), &parent);
        MapWindowPoints(GetParent(window), nullptr, reinterpret_cast<POINT*>(&parent), 2);
        const std::string name = classOf(window) + " '" + windowText(window) + "'";
        if (!insideOf(place, parent))
            faults += " " + name + " lies outside its parent;";
        faults += cutText(window, font);
        if (!isGroupBox(window))
            placed.push_back({window, name, place});
        // A toolbar's buttons are controls of their own to the user.
        if (classOf(window) == TOOLBARCLASSNAMEA) {
            const auto buttons = static_cast<int>(SendMessageA(window, TB_BUTTONCOUNT, 0, 0));
            for (int i = 0; i < buttons; ++i) {
                TBBUTTON button{};
                RECT rect{};
                SendMessageA(window, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
                if ((button.fsState & TBSTATE_HIDDEN) != 0 ||
                    SendMessageA(window, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) == 0)
                    continue;
                MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
                placed.push_back({nullptr, "toolbar button " + std::to_string(i), rect});
            }
        }
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const Placed& a = placed[i];
            const Placed& b = placed[j];
            const bool holds = (a.window != nullptr && b.window != nullptr &&
                                (IsChild(a.window, b.window) || IsChild(b.window, a.window))) ||
                               (a.window == nullptr && classOf(b.window) == TOOLBARCLASSNAMEA) ||
                               (b.window == nullptr && classOf(a.window) == TOOLBARCLASSNAMEA);
            if (!holds && overlap(a.place, b.place))
                faults += " " + a.name + " and " + b.name + " overlap;";
        }
    }
    DeleteObject(font);
    return report(!shown.empty() && faults.empty(),
                  std::to_string(shown.size()) + " controls at " + std::to_string(dpi) +
                      " dpi: each inside its parent, every text whole, none overlapping" +
                      (faults.empty() ? "" : ":" + faults));
}

// At the scale named, or else at the one the system gives the window.
int checkFitAt(HWND window, const std::vector<std::string>& args) {
    if (window == nullptr)
        return report(false, "window open");
    using Function = UINT(WINAPI*)(HWND);
    const auto dpiOf = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const int dpi = args.size() > 1    ? std::atoi(args[1].c_str())
                    : dpiOf != nullptr ? static_cast<int>(dpiOf(window))
                                       : 96;
    return checkFit(window, dpi);
}

// Tells the window it moved to a display of another scale, as the system does: the new scale
// in the message and the suggested place, scaled from the present one, in the program's own
// memory.
int changeScale(HWND window, int from, int to) {
    RECT place{};
    GetWindowRect(window, &place);
    place.right = place.left + MulDiv(place.right - place.left, to, from);
    place.bottom = place.top + MulDiv(place.bottom - place.top, to, from);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processOf(window));
    void* remote = process != nullptr ? VirtualAllocEx(process, nullptr, sizeof place,
                                                       MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                                      : nullptr;
    const bool sent = remote != nullptr &&
                      WriteProcessMemory(process, remote, &place, sizeof place, nullptr) != FALSE &&
                      SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(to, to),
                                          reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                          CHANGE_MS, nullptr) != 0;
    if (remote != nullptr)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process != nullptr)
        CloseHandle(process);
    return report(sent, classOf(window) + " told of a scale of " + std::to_string(to) + " dpi");
}

// The window's place on the screen, as ImageMagick crops.
int printWindowRect(HWND dialog) {
    RECT outer{};
    GetWindowRect(dialog, &outer);
    std::printf("%ldx%ld+%ld+%ld\n", outer.right - outer.left, outer.bottom - outer.top, outer.left,
                outer.top);
    return 0;
}

// How many rows have controls, whether the scroll bar shows, and whether the dialog and its
// OK button are shown whole on the screen's work area.
int printRulesView(HWND dialog) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT outer{};
    RECT ok{};
    GetWindowRect(dialog, &outer);
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    HWND scrollBar = FindWindowExA(dialog, nullptr, "ScrollBar", nullptr);
    const bool okShown = IsWindowVisible(GetDlgItem(dialog, IDOK)) && insideOf(ok, outer) &&
                         insideOf(ok, monitor.rcWork);
    std::printf("rows %zu\nscroll bar %s\ndialog %s\nOK %s\n", ruleRowIds(dialog).size(),
                scrollBar != nullptr && IsWindowVisible(scrollBar) ? "shown" : "hidden",
                insideOf(outer, monitor.rcWork) ? "on the screen" : "off the screen",
                okShown ? "on the screen" : "off the screen");
    return 0;
}

// Sets a control's text as typing would; the control tells the dialog before this returns.
bool setControlText(HWND control, const std::string& text) {
    return control != nullptr &&
           SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
}

// Types a number into the Try field and prints what the dialog says of it.
int tryNumber(HWND dialog, const std::string& number) {
    if (!setControlText(GetDlgItem(dialog, TRY_NUMBER_ID), number))
        return report(false, "number typed into Try");
    std::printf("%s\n", windowText(GetDlgItem(dialog, TRY_TEXT_ID)).c_str());
    return 0;
}

int setReplacement(HWND dialog, const std::string& rowText, const std::string& text) {
    const std::vector<int> rows = ruleRowIds(dialog);
    const auto row = static_cast<std::size_t>(std::strtoul(rowText.c_str(), nullptr, 10));
    return report(row < rows.size() &&
                      setControlText(GetDlgItem(dialog, rows[row] + REPLACEMENT_EDIT), text),
                  "replacement of row " + rowText + " set to '" + text + "'");
}

// Turns the mouse wheel over a row's pattern box by delta (120 a notch, negative downwards).
int wheelOverPattern(HWND dialog, const std::string& rowText, const std::string& delta) {
    const std::vector<int> rows = ruleRowIds(dialog);
    const auto row = static_cast<std::size_t>(std::strtoul(rowText.c_str(), nullptr, 10));
    const auto turn = static_cast<short>(std::strtol(delta.c_str(), nullptr, 10));
    return report(row < rows.size() &&
                      SendMessageTimeoutA(GetDlgItem(dialog, rows[row] + PATTERN_BOX),
                                          WM_MOUSEWHEEL, MAKEWPARAM(0, turn), 0, SMTO_ABORTIFHUNG,
                                          5000, nullptr) != 0,
                  "wheel turned by " + delta + " over the pattern of row " + rowText);
}

// Opens a row's pattern list with F4 and picks entry pick (counting from 0) with the keyboard.
int pickRulePattern(HWND dialog, const std::string& rowText, const std::string& pickText) {
    const std::vector<int> rows = ruleRowIds(dialog);
    const auto row = static_cast<std::size_t>(std::strtoul(rowText.c_str(), nullptr, 10));
    const long pick = std::strtol(pickText.c_str(), nullptr, 10);
    if (row >= rows.size() || pick < 0)
        return report(false, "pattern " + pickText + " of row " + rowText);
    // Posted: the list waits for the user, which a sent message would wait on.
    PostMessageA(GetDlgItem(dialog, rows[row] + PATTERN_BOX), WM_KEYDOWN, VK_F4, 0);
    if (!waitFor(menuOpen, "", 5000))
        return report(false, "pattern list of row " + rowText + " opened");
    HWND list = menuWindow();
    for (long i = 0; i <= pick; ++i)
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    // A message the dialog answers only once it is back in its loop, the pick handled.
    const bool picked =
        waitFor([](const std::string&) { return !menuOpen(""); }, "", 5000) &&
        SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
    return report(picked, "pattern " + pickText + " picked on row " + rowText);
}

// Moves the scroll bar's thumb to the end or the start, as dragging it would.
int scrollRules(HWND dialog, const std::string& where) {
    HWND scrollBar = FindWindowExA(dialog, nullptr, "ScrollBar", nullptr);
    const WPARAM code = where == "bottom" ? SB_BOTTOM : where == "page" ? SB_PAGEDOWN : SB_TOP;
    return report(scrollBar != nullptr && SendMessageTimeoutA(dialog, WM_VSCROLL, code,
                                                              reinterpret_cast<LPARAM>(scrollBar),
                                                              SMTO_ABORTIFHUNG, 5000, nullptr) != 0,
                  "rules scrolled to the " + where);
}

// Clicks a button as the user would: a check box ticks itself before it tells the dialog.
bool clickButton(HWND button) {
    return button != nullptr &&
           SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
}

int clickRuleRow(HWND dialog, const std::string& rowText, const std::string& what) {
    const std::vector<int> rows = ruleRowIds(dialog);
    const auto row = static_cast<std::size_t>(std::strtoul(rowText.c_str(), nullptr, 10));
    const int offset = what == "toggle"    ? ENABLE_BOX
                       : what == "confirm" ? CONFIRM_BUTTON
                       : what == "delete"  ? DELETE_BUTTON
                                           : -1;
    if (row >= rows.size() || offset < 0)
        return report(false, "row " + rowText + " to " + what);
    return report(clickButton(GetDlgItem(dialog, rows[row] + offset)),
                  what + " clicked on row " + rowText);
}

int openRulesByMenu(DWORD timeoutMs) {
    HWND main = mainWindow();
    if (main == nullptr)
        return report(false, "main window for the rules dialog");
    openTrayMenu(main);
    if (!waitFor(menuOpen, "", timeoutMs))
        return report(false, "notification menu opened");
    // The mnemonic of "Dialing &rules ...".
    PostMessageA(menuWindow(), WM_CHAR, 'r', 0);
    return report(waitFor(rulesDialogOpen, "", timeoutMs), "Dialing Rules dialog open");
}

int closeRulesDialog(const std::string& button, DWORD timeoutMs) {
    HWND dialog = rulesDialog();
    const int id = button == "ok" ? IDOK : button == "cancel" ? IDCANCEL : 0;
    if (dialog == nullptr || id == 0)
        return report(false, "dialog to close with " + button);
    // Posted: the click ends the dialog's loop, which a sent message would wait on.
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    return report(waitFor(rulesDialogClosed, "", timeoutMs), "dialog closed with " + button);
}

int withRulesDialog(int (*command)(HWND)) {
    HWND dialog = rulesDialog();
    return dialog != nullptr ? command(dialog) : report(false, "Dialing Rules dialog open");
}

// The program's commands and the icon's mouse messages by the names the scenarios use.
struct NamedValue {
    const char* name;
    UINT value;
};
constexpr NamedValue COMMANDS[] = {
    {"about", CMD_ABOUT},
    {"exit", CMD_EXIT},
    {"dialing-rules", CMD_DIALING_RULES},
    {"number-menu", CMD_NUMBER_MENU},
    {"dial", CMD_DIAL},
    {"dial-with-telephony", CMD_DIAL_WITH_TELEPHONY},
    {"dial-with-link", CMD_DIAL_WITH_LINK},
};
constexpr NamedValue MOUSE_MESSAGES[] = {
    {"left-up", WM_LBUTTONUP}, {"double-click", WM_LBUTTONDBLCLK}, {"right-up", WM_RBUTTONUP},
    {"select", NIN_SELECT},    {"key-select", NIN_KEYSELECT},      {"context-menu", WM_CONTEXTMENU},
};

// The value of a name, or the number written out.
template <std::size_t N> UINT valueNamed(const std::string& name, const NamedValue (&values)[N]) {
    for (const NamedValue& entry : values) {
        if (name == entry.name)
            return entry.value;
    }
    return static_cast<UINT>(std::strtoul(name.c_str(), nullptr, 0));
}

int usage() {
    std::fputs(
        "usage: driver COMMAND ...\n"
        "  put-text TEXT | put-block NAME VALUE ... | wait-window MS | wait-gone MS\n"
        "  change-text TEXT | change-unicode TEXT | change-text-held TEXT MS | crash-viewer\n"
        "  change-marked TEXT FORMAT [DWORD] | copy-while-working TEXT\n"
        "  time-dials COUNT TEXT\n"
        "  change-block NAME VALUE ...\n"
        "  wait-visibility shown|hidden MS | wait-box TEXT MS | wait-button shown|hidden MS\n"
        "  wait-tooltip TEXT MS | wait-no-tooltip TEXT MS | tooltips\n"
        "  wait-tray-icon present|absent MS | box-text | count-windows CLASS|rules | close\n"
        "  tray left-up|double-click|right-up|select|key-select|context-menu\n"
        "  send-command NAME|ID MS | exit-by-menu MS\n"
        "  terminate | set-box TEXT | type-box TEXT | box-items | click-dial [left-ctrl]\n"
        "  hold-file PATH RELEASE-MARKER | post-command NAME|ID | dialog-button TITLE ID MS\n"
        "  save-as PATH MS | end-session logoff|close-app yes|held [end]\n"
        "  number-menu PICK|-1 MS [arrow|key] | tray-menu PICK|-1 MS | record-tel LOG URI\n"
        "  open-rules-by-menu MS | rules | rules-layout | rules-dialog-rect | main-window-rect\n"
        "  rules-click ROW toggle|confirm|delete | rules-close ok|cancel MS | rules-drawn | "
        "rules-fit [DPI]\n"
        "  window-fit [DPI] | scale main|rules FROM-DPI TO-DPI\n"
        "  rules-view | rules-try NUMBER | rules-replace ROW TEXT | rules-scroll top|bottom|page\n"
        "  rules-wheel ROW DELTA | rules-pattern ROW PICK\n"
        "  wait-focus box|dial MS | wait-list open|closed MS | wait-about open|closed MS\n"
        "  press enter|escape|tab|alt+down|alt+/ | close-about | soak CHANGES WARM-UP\n",
        stderr);
    return 2;
}

} // namespace vellix::e2e

using namespace vellix::e2e;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    const std::string& command = args[0];
    const std::size_t count = args.size();

    if (command == "put-text" && count == 2) {
        const std::string bytes = args[1] + '\0';
        return report(putOnClipboard(CF_TEXT, bytes), "text on the clipboard");
    }
    if (command == "change-text" && count == 2) {
        const std::string bytes = args[1] + '\0';
        return report(changeClipboard(CF_TEXT, bytes), "text handed to the program");
    }
    if (command == "change-unicode" && count == 2) {
        const std::string bytes = unicodeBytes(args[1]);
        return report(changeClipboard(CF_UNICODETEXT, bytes), "Unicode text handed to the program");
    }
    if (command == "copy-while-working" && count == 2)
        return report(copyWhileWorking(args[1]),
                      "the window came up on top; the keyboard stayed in the other program");
    if (command == "change-marked" && (count == 3 || count == 4))
        return report(changeClipboardMarked(args[1], args[2], count == 4 ? args[3] : ""),
                      "text marked \"" + args[2] + "\" handed to the program");
    if (command == "change-text-held" && count == 3) {
        const std::string bytes = args[1] + '\0';
        return report(
            changeClipboardHeld(CF_TEXT, bytes, std::strtoul(args[2].c_str(), nullptr, 10)),
            "text handed to the program with the clipboard held " + args[2] +
                " ms; the box kept its text and the program answered meanwhile");
    }
    if (command == "crash-viewer" && count == 1)
        crashInViewerChain();
    if ((command == "put-block" || command == "change-block") && count % 2 == 1) {
        std::string block;
        for (std::size_t i = 1; i < count; ++i)
            block += args[i] + '\0';
        const UINT format = RegisterClipboardFormatA("NameValuePairList");
        if (command == "put-block")
            return report(putOnClipboard(format, block), "block on the clipboard");
        return report(changeClipboard(format, block), "block handed to the program");
    }
    if (command == "wait-window" && count == 2)
        return wait(windowExists, "", args[1].c_str(), "main window exists");
    if (command == "wait-gone" && count == 2)
        return wait(windowGone, "", args[1].c_str(), "main window gone");
    if (command == "wait-visibility" && count == 3)
        return wait(visibilityIs, args[1], args[2].c_str(), "main window " + args[1]);
    if (command == "wait-box" && count == 3)
        return wait(boxTextIs, args[1], args[2].c_str(), "number box reads '" + args[1] + "'");
    if (command == "wait-button" && count == 3)
        return wait(numberButtonIs, args[1], args[2].c_str(), "number button " + args[1]);
    if (command == "wait-tray-icon" && count == 3)
        return wait(trayIconIs, args[1], args[2].c_str(), "tray icon " + args[1]);
    if (command == "wait-tooltip" && count == 3) {
        const int result =
            wait(tooltipShows, args[1], args[2].c_str(), "a tooltip shows '" + args[1] + "'");
        if (result != 0) {
            for (const std::string& text : tooltipTexts())
                std::printf("tooltip: %s\n", text.c_str());
        }
        return result;
    }
    if (command == "wait-no-tooltip" && count == 3)
        return wait(noTooltipShows, args[1], args[2].c_str(), "no tooltip shows '" + args[1] + "'");
    if (command == "tooltips" && count == 1) {
        for (const std::string& text : tooltipTexts())
            std::printf("%s\n", text.c_str());
        return 0;
    }
    if (command == "box-text" && count == 1) {
        HWND box = numberBoxOf(mainWindow());
        std::printf("%s\n", box != nullptr ? windowText(box).c_str() : "");
        return box != nullptr ? 0 : 1;
    }
    if (command == "count-windows" && count == 2) {
        // Top-level windows of a class, or dialogs of a title when the argument is "rules".
        const bool rules = args[1] == "rules";
        const char* className = rules ? MAKEINTATOM(32770) : args[1].c_str();
        const char* title = rules ? RULES_DIALOG_TITLE : nullptr;
        int windows = 0;
        if (joinProgramDesktop()) {
            for (HWND w = FindWindowExA(nullptr, nullptr, className, title); w != nullptr;
                 w = FindWindowExA(nullptr, w, className, title))
                ++windows;
        }
        std::printf("%d\n", windows);
        return 0;
    }
    if (command == "send-command" && count == 3) {
        // Sent, not posted: a command that ran a second modal dialog would not come back.
        DWORD_PTR result = 0;
        const auto id = static_cast<WPARAM>(valueNamed(args[1], COMMANDS));
        return report(SendMessageTimeoutA(mainWindow(), WM_COMMAND, id, 0, SMTO_NORMAL,
                                          std::strtoul(args[2].c_str(), nullptr, 10), &result) != 0,
                      "command " + args[1] + " handled");
    }
    if (command == "post-command" && count == 2) {
        // Posted: the command may open a message box that waits for the user.
        const auto id = static_cast<WPARAM>(valueNamed(args[1], COMMANDS));
        return report(PostMessageA(mainWindow(), WM_COMMAND, id, 0) != FALSE,
                      "command " + args[1] + " posted");
    }
    if (command == "dialog-button" && count == 4)
        return clickDialogButton(args[1], std::atoi(args[2].c_str()),
                                 std::strtoul(args[3].c_str(), nullptr, 10));
    if (command == "save-as" && count == 3)
        return saveAs(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
    if (command == "close" && count == 1)
        return report(PostMessageA(mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE,
                      "close box pressed");
    if (command == "tray" && count == 2) {
        const auto mouse = static_cast<LPARAM>(valueNamed(args[1], MOUSE_MESSAGES));
        return report(PostMessageA(mainWindow(), TRAY_CALLBACK_MESSAGE, TRAY_ICON_ID,
                                   MAKELPARAM(mouse, TRAY_ICON_ID)) != FALSE,
                      "tray message " + args[1] + " sent");
    }
    if (command == "exit-by-menu" && count == 2)
        return exitFromTrayMenu(std::strtoul(args[1].c_str(), nullptr, 10));
    if (command == "end-session" && (count == 3 || (count == 4 && args[3] == "end")))
        return querySessionEnd(args[1], args[2], count == 4);
    if (command == "terminate" && count == 1)
        return terminateProgram();
    if (command == "hold-file" && count == 3)
        return holdFile(args[1], args[2]);
    if (command == "type-box" && count == 2)
        return typeIntoBox(args[1]);
    if (command == "set-box" && count == 2)
        return setBoxText(args[1]);
    if (command == "box-items" && count == 1)
        return printBoxItems();
    if (command == "time-dials" && count == 3)
        return timeDials(std::atoi(args[1].c_str()), args[2]);
    if (command == "click-dial" && (count == 1 || (count == 2 && args[1] == "left-ctrl")))
        return clickDial(count == 2);
    if (command == "tray-menu" && count == 3)
        return trayMenu(std::atoi(args[1].c_str()), std::strtoul(args[2].c_str(), nullptr, 10));
    if (command == "number-menu" &&
        (count == 3 || (count == 4 && (args[3] == "arrow" || args[3] == "key"))))
        return numberMenu(std::atoi(args[1].c_str()), std::strtoul(args[2].c_str(), nullptr, 10),
                          count == 3           ? MenuOpening::COMMAND
                          : args[3] == "arrow" ? MenuOpening::ARROW
                                               : MenuOpening::KEY);
    if (command == "record-tel" && count == 3)
        return recordTelUri(args[1], args[2]);
    if (command == "open-rules-by-menu" && count == 2)
        return openRulesByMenu(std::strtoul(args[1].c_str(), nullptr, 10));
    if (command == "rules" && count == 1)
        return withRulesDialog(printRules);
    if (command == "rules-layout" && count == 1)
        return withRulesDialog(printRulesLayout);
    if (command == "rules-dialog-rect" && count == 1)
        return withRulesDialog(printWindowRect);
    if (command == "main-window-rect" && count == 1)
        return mainWindow() != nullptr ? printWindowRect(mainWindow())
                                       : report(false, "main window exists");
    if (command == "rules-drawn" && count == 1)
        return withRulesDialog(checkRulesDrawn);
    if ((command == "rules-fit" || command == "window-fit") && count <= 2)
        return checkFitAt(command == "rules-fit" ? rulesDialog() : mainWindow(), args);
    if (command == "scale" && count == 4) {
        HWND window = args[1] == "rules" ? rulesDialog() : mainWindow();
        return window != nullptr
                   ? changeScale(window, std::atoi(args[2].c_str()), std::atoi(args[3].c_str()))
                   : report(false, args[1] + " window open");
    }
    if (command == "rules-view" && count == 1)
        return withRulesDialog(printRulesView);
    if ((command == "rules-try" && count == 2) || (command == "rules-scroll" && count == 2) ||
        (command == "rules-replace" && count == 3) || (command == "rules-wheel" && count == 3) ||
        (command == "rules-pattern" && count == 3)) {
        HWND dialog = rulesDialog();
        if (dialog == nullptr)
            return report(false, "Dialing Rules dialog open");
        if (command == "rules-try")
            return tryNumber(dialog, args[1]);
        if (command == "rules-scroll")
            return scrollRules(dialog, args[1]);
        if (command == "rules-wheel")
            return wheelOverPattern(dialog, args[1], args[2]);
        if (command == "rules-pattern")
            return pickRulePattern(dialog, args[1], args[2]);
        return setReplacement(dialog, args[1], args[2]);
    }
    if (command == "rules-click" && count == 3) {
        HWND dialog = rulesDialog();
        return dialog != nullptr ? clickRuleRow(dialog, args[1], args[2])
                                 : report(false, "Dialing Rules dialog open");
    }
    if (command == "rules-close" && count == 3)
        return closeRulesDialog(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
    if (command == "wait-focus" && count == 3)
        return wait(focusIs, args[1], args[2].c_str(), "focus in " + args[1]);
    if (command == "wait-list" && count == 3)
        return wait(listIs, args[1], args[2].c_str(), "number box list " + args[1]);
    if (command == "press" && count == 2)
        return pressKeys(args[1]);
    if (command == "wait-about" && count == 3)
        return wait(aboutIs, args[1], args[2].c_str(), "About " + args[1]);
    if (command == "close-about" && count == 1)
        return report(PostMessageA(aboutDialog(), WM_COMMAND, IDOK, 0) != FALSE, "About closed");
    if (command == "soak" && count == 3)
        return soak(args);
    return usage();
}
