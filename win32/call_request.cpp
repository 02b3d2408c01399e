#include "win32/call_request.h"

#include "shell/tel_uri.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>
#include <tapi.h>

#include <string>

namespace vellix {

namespace {

using MakeCallFunction = LONG(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);

// Loaded on first use and kept: a system without telephony still runs the program.
MakeCallFunction makeCallFunction() {
    static const MakeCallFunction function = [] {
        // From the system folder only: a tapi32.dll beside the program (a portable copy run
        // from Downloads) may have been planted there.
        HMODULE tapi = LoadLibraryExA("tapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (tapi == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
            // Windows 7 without the update that knows the flag: the whole path instead.
            char path[MAX_PATH] = {};
            const UINT length = GetSystemDirectoryA(path, MAX_PATH);
            constexpr char NAME[] = "\\tapi32.dll";
            if (length > 0 && length + sizeof NAME <= MAX_PATH) {
                lstrcatA(path, NAME);
                tapi = LoadLibraryA(path);
            }
        }
        if (tapi == nullptr)
            return MakeCallFunction{nullptr};
        return reinterpret_cast<MakeCallFunction>(
            reinterpret_cast<void*>(GetProcAddress(tapi, "tapiRequestMakeCallA")));
    }();
    return function;
}

// The identity of a file, the same whichever name (short, long, other case) it is reached by.
// Paths are wide: a user's folder may hold characters the ANSI code page lacks.
bool identifyFile(const wchar_t* path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE opened = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const ScopedHandle<HANDLE, CloseHandle> file(opened);
    return GetFileInformationByHandle(file.get(), &info) != FALSE;
}

// The program chosen for "tel:" links, as the shell reads it for a link clicked now: the
// user's choice in Default apps first (ASSOCF_IS_PROTOCOL), then the registered handler.
std::wstring telProgram(ASSOCSTR what) {
    wchar_t text[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (FAILED(AssocQueryStringW(ASSOCF_NOTRUNCATE | ASSOCF_IS_PROTOCOL, what, L"tel", L"open",
                                 text, &size)))
        return {};
    return text;
}

// Installed as the handler of "tel:" links, this program would get the URI straight back as
// a link: the number would be proposed again and no call placed.
bool isOwnProgram(const std::wstring& program) {
    wchar_t own[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
    if (program.empty() || length == 0 || length >= MAX_PATH)
        return false;
    BY_HANDLE_FILE_INFORMATION handlerFile = {};
    BY_HANDLE_FILE_INFORMATION ownFile = {};
    return identifyFile(program.c_str(), handlerFile) && identifyFile(own, ownFile) &&
           handlerFile.dwVolumeSerialNumber == ownFile.dwVolumeSerialNumber &&
           handlerFile.nFileIndexHigh == ownFile.nFileIndexHigh &&
           handlerFile.nFileIndexLow == ownFile.nFileIndexLow;
}

// The user's telephony priority list for call requests, where programs that take them are
// registered; empty when there is none.
std::string telephonyPriorities() {
    char list[1024] = {};
    DWORD size = sizeof list - 1;
    if (RegGetValueA(HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows\\CurrentVersion\\Telephony\\HandoffPriorities",
                     "RequestMakeCall", RRF_RT_REG_SZ, nullptr, list, &size) != ERROR_SUCCESS)
        return {};
    return list;
}

CallResult openTelUri(const char* address) {
    const std::string uri = telUri(address);
    // Without a digit there is no one to call.
    if (uri.empty())
        return CallResult::PLACED;
    const std::wstring program = telProgram(ASSOCSTR_EXECUTABLE);
    if (program.empty() || isOwnProgram(program))
        return CallResult::NO_LINK_PROGRAM;
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", uri.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return started > 32 ? CallResult::PLACED : CallResult::FAILED;
}

} // namespace

CallHandlers findCallHandlers() {
    CallHandlers handlers;
    handlers.telephonyRecipient = namesTelephonyRecipient(telephonyPriorities());
    const std::wstring program = telProgram(ASSOCSTR_EXECUTABLE);
    if (!program.empty()) {
        const std::wstring name = telProgram(ASSOCSTR_FRIENDLYAPPNAME);
        handlers.linkProgram =
            utf8Text(!name.empty() ? name : program.substr(program.find_last_of(L'\\') + 1));
        handlers.linkProgramIsOwn = isOwnProgram(program);
    }
    return handlers;
}

CallResult requestCall(const char* address, DialRoute route) {
    if (route == DialRoute::TEL_LINK)
        return openTelUri(address);
    MakeCallFunction makeCall = makeCallFunction();
    if (makeCall == nullptr)
        return CallResult::NO_TELEPHONY;
    const LONG result = makeCall(address, nullptr, nullptr, nullptr);
    return result == 0                            ? CallResult::PLACED
           : result == TAPIERR_NOREQUESTRECIPIENT ? CallResult::NO_TELEPHONY
                                                  : CallResult::FAILED;
}

} // namespace vellix
