#include "win32/link_handover.h"

namespace vellix {

namespace {

// Long enough for the running program to present the number; a hung program does not keep
// the second one waiting for good.
constexpr UINT HAND_OVER_TIMEOUT_MS = 5000;
// A program started at the same moment makes its window within this, even under load.
constexpr ULONGLONG WINDOW_WAIT_MS = 10000;
constexpr DWORD WINDOW_POLL_MS = 50;

} // namespace

bool isBlankCommandLine(std::string_view commandLine) {
    return commandLine.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

void handOverToRunningProgram(const char* className, std::string_view commandLine) {
    const ULONGLONG deadline = GetTickCount64() + WINDOW_WAIT_MS;
    HWND running = FindWindowA(className, nullptr);
    while (running == nullptr && GetTickCount64() < deadline) {
        Sleep(WINDOW_POLL_MS);
        running = FindWindowA(className, nullptr);
    }
    if (running == nullptr)
        return;
    if (isBlankCommandLine(commandLine)) {
        ShowWindow(running, SW_SHOW);
        ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return;
    }
    if (commandLine.size() > MAX_LINK_SIZE)
        return;
    // This process was started by the user's click and may pass the foreground on; the
    // running one brings its window to the front.
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {};
    data.dwData = LINK_COPY_DATA;
    data.cbData = static_cast<DWORD>(commandLine.size());
    data.lpData = const_cast<char*>(commandLine.data());
    SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        HAND_OVER_TIMEOUT_MS, nullptr);
}

std::string_view handedOverCommandLine(const COPYDATASTRUCT* data) {
    if (data == nullptr || data->dwData != LINK_COPY_DATA || data->lpData == nullptr ||
        data->cbData > MAX_LINK_SIZE)
        return {};
    return {static_cast<const char*>(data->lpData), data->cbData};
}

} // namespace vellix
