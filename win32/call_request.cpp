#include "win32/call_request.h"

#include "shell/tel_uri.h"
#include "win32/scoped_handles.h"

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
bool identifyFile(const char* path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE opened = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const ScopedHandle<HANDLE, CloseHandle> file(opened);
    return GetFileInformationByHandle(file.get(), &info) != FALSE;
}

// Installed as the handler of "tel:" links, this program would get the URI straight back as
// a link: the number would be proposed again and no call placed.
bool isOwnTelHandler() {
    char handler[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (FAILED(AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, "tel", "open", handler,
                                 &size)))
        return false;
    char own[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, own, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    BY_HANDLE_FILE_INFORMATION handlerFile = {};
    BY_HANDLE_FILE_INFORMATION ownFile = {};
    return identifyFile(handler, handlerFile) && identifyFile(own, ownFile) &&
           handlerFile.dwVolumeSerialNumber == ownFile.dwVolumeSerialNumber &&
           handlerFile.nFileIndexHigh == ownFile.nFileIndexHigh &&
           handlerFile.nFileIndexLow == ownFile.nFileIndexLow;
}

void openTelUri(const char* address) {
    const std::string uri = telUri(address);
    // Without a digit there is no one to call.
    if (uri.empty() || isOwnTelHandler())
        return;
    ShellExecuteA(nullptr, "open", uri.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

void requestCall(const char* address) {
    MakeCallFunction makeCall = makeCallFunction();
    if (makeCall == nullptr ||
        makeCall(address, nullptr, nullptr, nullptr) == TAPIERR_NOREQUESTRECIPIENT) {
        openTelUri(address);
    }
}

} // namespace vellix
