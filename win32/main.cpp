#include "res/resource.h"
#include "shell/data_files.h"
#include "shell/shell.h"
#include "shell/start_options.h"
#include "win32/data_folder.h"
#include "win32/keyboard.h"
#include "win32/link_handover.h"
#include "win32/main_window.h"
#include "win32/program_update.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"
#include "win32/win32_desktop.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

namespace {

constexpr int TEXT_CAPACITY = 100;

void registerMainWindowClass(HINSTANCE instance, const char* className) {
    const std::wstring name = vellix::wideText(className);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = vellix::mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELLIX));
    // The small icon is the picture's small size, which the system takes from hIcon's resource.
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass);
}

// The accelerators belong to the main window: they are translated for it wherever in it
// the focus is, the number box included.
bool translateMainWindowKeys(const vellix::Win32Desktop& desktop, HACCEL accelerators,
                             MSG& message) {
    HWND main = desktop.mainWindow();
    if (main == nullptr || (message.hwnd != main && IsChild(main, message.hwnd) == FALSE))
        return false;
    return vellix::takeMainWindowKey(main, desktop.strip(), message) ||
           TranslateAcceleratorW(main, accelerators, &message) != 0;
}

int runMessageLoop(HINSTANCE instance, const vellix::Win32Desktop& desktop) {
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    MSG message;
    // Wide, so that typed characters outside the code page reach the number box as typed.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!translateMainWindowKeys(desktop, accelerators, message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

// Libraries the program loads by name come from the system folder alone, never from the
// program's own folder or the working directory. Where the call is missing (Windows 7
// without its update) the loads name the system folder themselves.
void loadLibrariesFromSystemFolderOnly() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (set != nullptr)
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The command line after the program's name, as WinMain is given it but in UTF-8: in the code
// page a data folder outside it would turn into '?'.
std::string argumentsOfCommandLine() {
    const std::wstring_view line = GetCommandLineW();
    std::size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        i = line.find(L'"', 1);
        i = i == std::wstring_view::npos ? line.size() : i + 1;
    } else {
        while (i < line.size() && line[i] != L' ' && line[i] != L'\t')
            ++i;
    }
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t'))
        ++i;
    return vellix::utf8Text(line.substr(i));
}

// An installer that closed Vellix to replace it (Restart Manager) starts it again afterwards,
// with the data folder it was given; not after a crash, a hang or a restart of Windows, which
// starts it from the Startup folder.
void registerRestart(std::string_view dataFolder) {
    const std::wstring commandLine =
        dataFolder.empty() ? std::wstring()
                           : vellix::wideText("--data-folder \"" + std::string(dataFolder) + "\"");
    RegisterApplicationRestart(commandLine.c_str(),
                               RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
    // The data folder, then a "tel:" or "callto:" link, or nothing; untrusted, and only ever
    // decoded.
    const std::string commandLine = argumentsOfCommandLine();
    const vellix::StartOptions options = vellix::readStartOptions(commandLine);
    const std::string_view link = options.link;
    loadLibrariesFromSystemFolderOnly();
    const vellix::ScopedComApartment com;
    InitCommonControls();
    char title[TEXT_CAPACITY] = {};
    char className[TEXT_CAPACITY] = {};
    LoadStringA(instance, IDS_TITLE, title, TEXT_CAPACITY);
    LoadStringA(instance, IDS_CLASS_NAME, className, TEXT_CAPACITY);
    switch (options.installer) {
    case vellix::InstallerRequest::CLOSE:
    case vellix::InstallerRequest::CLOSE_FOR_UPDATE:
        vellix::closeRunningProgram(className, options.installer ==
                                                   vellix::InstallerRequest::CLOSE_FOR_UPDATE);
        return 0;
    case vellix::InstallerRequest::REOPEN_AFTER_UPDATE:
        if (!vellix::takeReopenRequest())
            return 0;
        break;
    case vellix::InstallerRequest::NONE:
        break;
    }
    // One Vellix per user session, decided before any window exists: two starts at the same
    // moment cannot both find no window and both stay.
    const vellix::ScopedHandle<HANDLE, CloseHandle> sessionMutex(
        CreateMutexA(nullptr, FALSE, vellix::INSTANCE_MUTEX_NAME));
    if (sessionMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        vellix::handOverToRunningProgram(className, link);
        return 0;
    }
    // Every file is read and written in one folder, whatever started Vellix.
    vellix::useDataFolder(vellix::chooseDataFolder(options.dataFolder));
    registerMainWindowClass(instance, className);

    vellix::WorkingDirectoryFiles files;
    vellix::Win32Desktop desktop(instance);
    vellix::Shell shell(desktop, files);
    vellix::MainWindow mainWindow{shell, desktop};
    HWND window = vellix::createMainWindow(instance, className, title, mainWindow);
    if (window == nullptr)
        return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    registerRestart(options.dataFolder);
    if (!vellix::isBlankCommandLine(link) && link.size() <= vellix::MAX_LINK_SIZE)
        shell.onLink(link);
    return runMessageLoop(instance, desktop);
}
