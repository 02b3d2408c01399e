#include "app/data_files.h"
#include "app/main_window.h"
#include "app/shell.h"
#include "app/win32_desktop.h"
#include "res/resource.h"

#include <windows.h>

#include <commctrl.h>

namespace {

constexpr int TEXT_CAPACITY = 100;

// A second process would watch the same clipboard and write the same files.
bool showRunningInstance(const char* className) {
    HWND running = FindWindowA(className, nullptr);
    if (running == nullptr)
        return false;
    ShowWindow(running, SW_SHOW);
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}

void registerMainWindowClass(HINSTANCE instance, const char* className) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = vellix::mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELLIX));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELLIX_SMALL));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

int runMessageLoop(HINSTANCE instance) {
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(message.hwnd, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
    InitCommonControls();
    char title[TEXT_CAPACITY] = {};
    char className[TEXT_CAPACITY] = {};
    LoadStringA(instance, IDS_TITLE, title, TEXT_CAPACITY);
    LoadStringA(instance, IDS_CLASS_NAME, className, TEXT_CAPACITY);
    if (showRunningInstance(className))
        return 0;
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
    return runMessageLoop(instance);
}
