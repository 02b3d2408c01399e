// A hook the driver sets on the program's thread to read an open menu: menus belong to the
// process that made them, so only code inside that process can read their items. On the
// registered message "VellixReadMenu" sent to the menu window it writes each item as
// "command text", one a line, with " [checked]" after a checked item, to "number-menu.txt"
// in the program's current directory, or to "tray-menu.txt" when wParam is 1.

#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    readMenuHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    static const UINT READ_MENU = RegisterWindowMessageA("VellixReadMenu");
    if (code == HC_ACTION && message != nullptr && message->message == READ_MENU) {
        auto menu = reinterpret_cast<HMENU>(SendMessageA(message->hwnd, MN_GETHMENU, 0, 0));
        std::FILE* file =
            std::fopen(message->wParam == 1 ? "tray-menu.txt" : "number-menu.txt", "wb");
        if (file != nullptr) {
            const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
            for (int i = 0; i < count; ++i) {
                char text[260] = {};
                GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                const bool checked =
                    (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
                std::fprintf(file, "%u %s%s\n", GetMenuItemID(menu, i), text,
                             checked ? " [checked]" : "");
            }
            std::fclose(file);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
