// Reads back what the installer left for the user, as Windows itself sees it:
//   install_probe shortcut FILE.lnk   prints "target PATH" and "folder PATH" of the shortcut
//   install_probe products {UPGRADE-CODE}   prints the version of each installed product
//                                           of that upgrade family, one a line
// Exits 1 when the shortcut cannot be read.

#include <windows.h>

#include <msi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

namespace {

int printShortcut(const char* file) {
    wchar_t wideFile[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file, -1, wideFile, MAX_PATH);
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return 1;
    IPersistFile* persist = nullptr;
    char target[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    const bool read =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(wideFile, STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
    if (persist != nullptr)
        persist->Release();
    link->Release();
    if (!read)
        return 1;
    std::printf("target %s\nfolder %s\n", target, folder);
    return 0;
}

void printProducts(const char* upgradeCode) {
    char product[39] = {};
    for (DWORD i = 0; MsiEnumRelatedProductsA(upgradeCode, 0, i, product) == ERROR_SUCCESS; ++i) {
        char version[64] = {};
        DWORD size = sizeof version;
        MsiGetProductInfoA(product, INSTALLPROPERTY_VERSIONSTRING, version, &size);
        std::printf("%s\n", version);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: install_probe shortcut FILE | products UPGRADE-CODE\n");
        return 2;
    }
    CoInitialize(nullptr);
    int status = 2;
    if (std::strcmp(argv[1], "shortcut") == 0) {
        status = printShortcut(argv[2]);
    } else if (std::strcmp(argv[1], "products") == 0) {
        printProducts(argv[2]);
        status = 0;
    }
    CoUninitialize();
    return status;
}
