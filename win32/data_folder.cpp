#include "win32/data_folder.h"

#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <shlobj.h>

namespace vellix {

namespace {

constexpr const wchar_t* SETTINGS_KEY = L"Software\\Vellix";

BOOL WINAPI closeKey(HKEY key) {
    return RegCloseKey(key) == ERROR_SUCCESS ? TRUE : FALSE;
}

std::wstring registryText(const wchar_t* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return {};
    const ScopedHandle<HKEY, closeKey> key(opened);
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof text - sizeof text[0];
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return text;
}

// The folder's long name without a trailing backslash, so that two spellings compare.
std::wstring comparable(std::wstring folder) {
    wchar_t longName[MAX_PATH] = {};
    const DWORD length = GetLongPathNameW(folder.c_str(), longName, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        folder = longName;
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    return folder;
}

std::wstring programFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    const std::wstring file(path, length);
    const std::size_t slash = file.find_last_of(L"\\/");
    return file.substr(0, slash == std::wstring::npos ? 0 : slash);
}

std::wstring roamingDataFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return {};
    return std::wstring(appData) + L"\\Vellix";
}

} // namespace

std::string chooseDataFolder(const std::string& givenFolder) {
    if (!givenFolder.empty())
        return givenFolder;
    const std::wstring installed = registryText(L"ProgramFolder");
    const std::wstring program = programFolder();
    if (installed.empty() || program.empty() ||
        lstrcmpiW(comparable(installed).c_str(), comparable(program).c_str()) != 0)
        return {};
    const std::wstring recorded = registryText(L"DataFolder");
    return utf8Text(recorded.empty() ? roamingDataFolder() : recorded);
}

bool useDataFolder(const std::string& folder) {
    if (folder.empty())
        return true;
    const std::wstring wide = wideText(folder);
    if (CreateDirectoryW(wide.c_str(), nullptr) == FALSE && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    return SetCurrentDirectoryW(wide.c_str()) != FALSE;
}

} // namespace vellix
