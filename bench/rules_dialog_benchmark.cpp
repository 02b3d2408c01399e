// Opens the real Dialing Rules dialog over many rules and reports how long it took until the
// dialog was on the screen and painted, and how many windows and USER objects it holds then.
// Windows only; run it under Wine on one processor, as tools/run.sh runs the program (one
// command line):
//   xvfb-run -a taskset -c 0 /usr/lib/wine/wine64
//       build/win64/bench/rules_dialog_benchmark.exe 200 1000
#include "res/resource.h"
#include "rules_dialog/rules_dialog.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vellix {
namespace {

constexpr int REPETITIONS = 9;

LARGE_INTEGER started;
double startedCpuMs = 0;
double openedMs = 0;
double openedCpuMs = 0;
int windowsCounted = 0;
DWORD userObjects = 0;

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The process's own processor time, which other work on a busy machine does not inflate.
double processCpuMs() {
    FILETIME created{};
    FILETIME ended{};
    FILETIME kernel{};
    FILETIME user{};
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32U) |
                                   time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

BOOL CALLBACK countChild(HWND, LPARAM) {
    ++windowsCounted;
    return TRUE;
}

BOOL CALLBACK countWindow(HWND window, LPARAM) {
    ++windowsCounted;
    EnumChildWindows(window, countChild, 0);
    return TRUE;
}

// Runs once the dialog's loop is idle: after the dialog was shown and painted.
void CALLBACK dialogIdle(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowA(MAKEINTATOM(32770), RULES_DIALOG_TITLE);
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return;
    openedMs = millisecondsSince(started);
    openedCpuMs = processCpuMs() - startedCpuMs;
    KillTimer(nullptr, timer);
    windowsCounted = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, 0);
    userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EndDialog(dialog, IDCANCEL);
}

double initMs = 0;

// Times the dialog's own opening work apart from the system's showing and painting.
INT_PTR CALLBACK timedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return rulesDialogProc(dialog, message, wParam, lParam);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const INT_PTR result = rulesDialogProc(dialog, message, wParam, lParam);
    initMs = millisecondsSince(start);
    return result;
}

RuleSet manyRules(int count) {
    RuleSet rules;
    for (int i = 0; i < count; ++i) {
        const std::string pattern =
            std::to_string(200 + i % 800) + " " + std::to_string(100 + i / 800) + " xxxx";
        rules.push_back(*DialingRule::fromText(pattern.c_str(), "9 1 xxx xxx xxxx", true, true));
    }
    return rules;
}

} // namespace
} // namespace vellix

int main(int argc, char** argv) {
    using namespace vellix;
    for (int a = 1; a < argc; ++a) {
        const int count = std::atoi(argv[a]);
        RuleSet rules = manyRules(count);
        for (int r = 0; r < REPETITIONS; ++r) {
            SetTimer(nullptr, 0, 0, dialogIdle);
            startedCpuMs = processCpuMs();
            QueryPerformanceCounter(&started);
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(131), nullptr,
                            timedDialogProc, reinterpret_cast<LPARAM>(&rules));
            std::printf("%d rules: open %.0f ms (set-up %.0f ms, processor %.0f ms), %d windows, "
                        "%lu USER objects\n",
                        count, openedMs, initMs, openedCpuMs, windowsCounted,
                        static_cast<unsigned long>(userObjects));
        }
    }
    return 0;
}
