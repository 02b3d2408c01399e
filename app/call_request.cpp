#include "app/call_request.h"

#include "app/tel_uri.h"

#include <windows.h>

#include <shellapi.h>
#include <tapi.h>

#include <string>

namespace vellix {

namespace {

using MakeCallFunction = LONG(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);

// Loaded on first use and kept: a system without telephony still runs the program.
MakeCallFunction makeCallFunction() {
    static const MakeCallFunction function = [] {
        HMODULE tapi = LoadLibraryA("tapi32.dll");
        if (tapi == nullptr)
            return MakeCallFunction{nullptr};
        return reinterpret_cast<MakeCallFunction>(
            reinterpret_cast<void*>(GetProcAddress(tapi, "tapiRequestMakeCallA")));
    }();
    return function;
}

void openTelUri(const char* address) {
    const std::string uri = telUri(address);
    // A bare "tel:" names no one to call.
    if (uri.size() == 4)
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
