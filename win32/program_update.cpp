#include "win32/program_update.h"

#include "res/resource.h"
#include "win32/scoped_handles.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace vellix {

namespace {

constexpr const char* SETTINGS_KEY = "Software\\Vellix";
constexpr const char* REOPEN_VALUE = "ReopenAfterUpdate";
// Long enough to save the data files; a program that asks the user about unsaved data may
// take longer, and the installer then finds the program in use as before.
constexpr DWORD EXIT_WAIT_MS = 20000;

using ScopedDesktop = ScopedHandle<HDESK, CloseDesktop>;

struct Search {
    const char* className = nullptr;
    HWND window = nullptr;
    std::string desktop;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    char name[256] = {};
    if (GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, search.className) == 0) {
        search.window = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK searchDesktop(LPSTR name, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    const ScopedDesktop desktop(
        OpenDesktopA(name, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE));
    if (desktop)
        EnumDesktopWindows(desktop.get(), matchWindow, param);
    if (search.window == nullptr)
        return TRUE;
    search.desktop = name;
    return FALSE;
}

} // namespace

void closeRunningProgram(const char* className, bool forUpdate) {
    // An installer runs in the user's desktop on Windows; elsewhere, such as Wine's virtual
    // desktops, the program may be in another.
    Search search;
    search.className = className;
    EnumDesktopsA(GetProcessWindowStation(), searchDesktop, reinterpret_cast<LPARAM>(&search));
    if (search.window == nullptr)
        return;
    // Messages reach a window only from its own desktop; this thread has no window yet.
    const ScopedDesktop desktop(OpenDesktopA(search.desktop.c_str(), 0, FALSE, GENERIC_ALL));
    if (desktop)
        SetThreadDesktop(desktop.get());
    DWORD processId = 0;
    GetWindowThreadProcessId(search.window, &processId);
    const ScopedHandle<HANDLE, CloseHandle> process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process || PostMessageA(search.window, WM_COMMAND, CMD_EXIT, 0) == FALSE)
        return;
    if (WaitForSingleObject(process.get(), EXIT_WAIT_MS) == WAIT_OBJECT_0 && forUpdate) {
        const DWORD reopen = 1;
        RegSetKeyValueA(HKEY_CURRENT_USER, SETTINGS_KEY, REOPEN_VALUE, REG_DWORD, &reopen,
                        sizeof reopen);
    }
}

bool takeReopenRequest() {
    return RegDeleteKeyValueA(HKEY_CURRENT_USER, SETTINGS_KEY, REOPEN_VALUE) == ERROR_SUCCESS;
}

} // namespace vellix
