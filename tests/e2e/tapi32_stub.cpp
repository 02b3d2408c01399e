// A stand-in for tapi32.dll that the end-to-end tests put beside vellix.exe: it places no
// call but appends each requested address, one a line, to the file named by
// VELLIX_CALL_LOG, or else to "tapi32-calls.log" in the current directory. When
// VELLIX_TAPI_NO_RECIPIENT is set or a file "tapi32-no-recipient" is in the current
// directory, it answers that no call-handling application is registered.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The answer of tapi.h's TAPIERR_NOREQUESTRECIPIENT; that header would declare the function
// as imported.
constexpr LONG NO_REQUEST_RECIPIENT = -2;

} // namespace

extern "C" __declspec(dllexport) LONG WINAPI
    tapiRequestMakeCallA(LPCSTR destAddress, LPCSTR /*appName*/, LPCSTR /*calledParty*/,
                         LPCSTR /*comment*/) {
    const char* logName = std::getenv("VELLIX_CALL_LOG");
    std::FILE* log = std::fopen(logName != nullptr ? logName : "tapi32-calls.log", "ab");
    if (log != nullptr) {
        std::fprintf(log, "%s\n", destAddress != nullptr ? destAddress : "(null)");
        std::fclose(log);
    }
    const bool noRecipient = std::getenv("VELLIX_TAPI_NO_RECIPIENT") != nullptr ||
                             GetFileAttributesA("tapi32-no-recipient") != INVALID_FILE_ATTRIBUTES;
    return noRecipient ? NO_REQUEST_RECIPIENT : 0;
}
