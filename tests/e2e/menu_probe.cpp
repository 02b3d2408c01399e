// A hook the driver sets on the program's thread to read an open menu: menus belong to the
// process that made them, so only code inside that process can read their items. On the
// registered message "VellixReadMenu" sent to the menu window it writes each item as
// "command text", one a line, with " [checked]" after a checked item (a submenu's items
// indented under its name), in UTF-8, to "number-menu.txt" in the program's current directory,
// or to "tray-menu.txt" when wParam is 1.

#include <windows.h>

#include <cstdio>

namespace {

// The items of a menu, those of a submenu after it, indented, without a command number;
// " [grayed]" after an item that cannot be chosen.
void writeItems(std::FILE* file, HMENU menu, const char* indent) {
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t wide[260] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), wide, 260, MF_BYPOSITION);
        char text[3 * 260] = {};
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & MF_SEPARATOR) != 0) {
            std::fprintf(file, "%s0 \n", indent);
            continue;
        }
        HMENU submenu = GetSubMenu(menu, i);
        if (submenu != nullptr) {
            std::fprintf(file, "%s%s\n", indent, text);
            writeItems(file, submenu, "  ");
            continue;
        }
        std::fprintf(file, "%s%u %s%s%s\n", indent, GetMenuItemID(menu, i), text,
                     (state & MF_CHECKED) != 0 ? " [checked]" : "",
                     (state & MF_GRAYED) != 0 ? " [grayed]" : "");
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    readMenuHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    static const UINT READ_MENU = RegisterWindowMessageA("VellixReadMenu");
    if (code == HC_ACTION && message != nullptr && message->message == READ_MENU) {
        auto menu = reinterpret_cast<HMENU>(SendMessageA(message->hwnd, MN_GETHMENU, 0, 0));
        std::FILE* file =
            std::fopen(message->wParam == 1 ? "tray-menu.txt" : "number-menu.txt", "wb");
        if (file != nullptr) {
            writeItems(file, menu, "");
            std::fclose(file);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
