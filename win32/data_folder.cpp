#include "win32/data_folder.h"

#include "win32/scoped_handles.h"

#include <windows.h>

#include <shlobj.h>

namespace vellix {

namespace {

constexpr const char* SETTINGS_KEY = "Software\\Vellix";

BOOL WINAPI closeKey(HKEY key) {
    return RegCloseKey(key) == ERROR_SUCCESS ? TRUE : FALSE;
}

std::string registryText(const char* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return {};
    const ScopedHandle<HKEY, closeKey> key(opened);
    char text[MAX_PATH] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return text;
}

// The folder's long name without a trailing backslash, so that two spellings compare.
std::string comparable(std::string folder) {
    char longName[MAX_PATH] = {};
    const DWORD length = GetLongPathNameA(folder.c_str(), longName, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        folder = longName;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") == std::string::npos ? 0 : folder.find_last_of("\\/"));
    return folder;
}

std::string roamingDataFolder() {
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return {};
    return std::string(appData) + "\\Vellix";
}

} // namespace

std::string chooseDataFolder(const std::string& givenFolder) {
    if (!givenFolder.empty())
        return givenFolder;
    const std::string installed = registryText("ProgramFolder");
    const std::string program = programFolder();
    if (installed.empty() || program.empty() ||
        lstrcmpiA(comparable(installed).c_str(), comparable(program).c_str()) != 0)
        return {};
    const std::string recorded = registryText("DataFolder");
    return recorded.empty() ? roamingDataFolder() : recorded;
}

bool useDataFolder(const std::string& folder) {
    if (folder.empty())
        return true;
    if (CreateDirectoryA(folder.c_str(), nullptr) == FALSE &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

} // namespace vellix
