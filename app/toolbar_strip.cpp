#include "app/toolbar_strip.h"

#include "app/dialing.h"
#include "res/resource.h"

#include <cstring>

namespace vellix {

namespace {

constexpr int NUMBER_IMAGE_COUNT = 3;
constexpr int DIAL_BUTTON_LEFT = 168;

char numberButtonText[] = "Select phone number";

const TBBUTTON NUMBER_BUTTON = {0,
                                CMD_NUMBER_MENU,
                                TBSTATE_ENABLED,
                                BTNS_BUTTON,
                                {},
                                0,
                                reinterpret_cast<INT_PTR>(numberButtonText)};

TBBUTTONINFOA numberButtonInfo(HWND toolbar, DWORD mask) {
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = mask;
    SendMessageA(toolbar, TB_GETBUTTONINFOA, CMD_NUMBER_MENU, reinterpret_cast<LPARAM>(&info));
    return info;
}

void setNumberButtonInfo(HWND toolbar, const TBBUTTONINFOA& info) {
    SendMessageA(toolbar, TB_SETBUTTONINFOA, CMD_NUMBER_MENU, reinterpret_cast<LPARAM>(&info));
}

HWND createChild(HWND parent, HWND toolbar, const char* className, const char* text, DWORD style,
                 int x, int width, int height, int id) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, 0, width,
                                 height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    // The toolbar passes the child's commands on to the main window.
    SetParent(child, toolbar);
    return child;
}

} // namespace

HWND createToolbarStrip(HWND owner, const TBBUTTON* buttons, int buttonCount, int bitmapId,
                        DWORD extraStyle) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND toolbar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                        extraStyle | WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0, 0,
                        100, 64, owner, nullptr, instance, nullptr);
    const auto style = static_cast<DWORD>(SendMessageA(toolbar, TB_GETSTYLE, 0, 0));
    SendMessageA(toolbar, TB_SETSTYLE, 0, style & ~static_cast<DWORD>(TBSTYLE_TRANSPARENT));
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(16, 16));
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    TBADDBITMAP bitmap = {instance, static_cast<UINT_PTR>(bitmapId)};
    // The real image count, so that every version of the control takes in all three.
    SendMessageA(toolbar, TB_ADDBITMAP, NUMBER_IMAGE_COUNT, reinterpret_cast<LPARAM>(&bitmap));
    SendMessageA(toolbar, TB_ADDBUTTONSA, buttonCount, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar, TB_SETMAXTEXTROWS, 0, 0);
    return toolbar;
}

ToolbarStrip buildToolbarStrip(HWND mainWindow) {
    ToolbarStrip strip;
    strip.toolbar = createToolbarStrip(mainWindow, &NUMBER_BUTTON, 1, IDB_NUMBER_KINDS, 0);
    SendMessageA(strip.toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);

    TBBUTTONINFOA info = numberButtonInfo(strip.toolbar, TBIF_STATE | TBIF_STYLE);
    info.fsStyle |= BTNS_DROPDOWN;
    info.fsState |= TBSTATE_HIDDEN;
    setNumberButtonInfo(strip.toolbar, info);

    // A dial string may be longer than the field is wide: the text scrolls as it is typed, up
    // to what the dial command reads.
    strip.numberBox = createChild(mainWindow, strip.toolbar, "combobox", nullptr,
                                  CBS_DROPDOWN | CBS_AUTOHSCROLL, 1, DIAL_BUTTON_LEFT - 1, 100, 0);
    SendMessageA(strip.numberBox, CB_LIMITTEXT, DIAL_TEXT_CAPACITY - 1, 0);
    strip.dialButton = createChild(mainWindow, strip.toolbar, "button", "Dial", BS_PUSHBUTTON,
                                   DIAL_BUTTON_LEFT, 42, 22, CMD_DIAL);
    return strip;
}

void showSingleNumberLayout(HWND toolbar, HWND numberBox) {
    TBBUTTONINFOA info = numberButtonInfo(toolbar, TBIF_STATE);
    info.fsState = TBSTATE_HIDDEN;
    setNumberButtonInfo(toolbar, info);
    MoveWindow(numberBox, 1, 0, DIAL_BUTTON_LEFT - 1, 100, TRUE);
}

void showSeveralNumbersLayout(HWND toolbar, HWND numberBox, std::int32_t kind, const char* label) {
    TBBUTTONINFOA info = numberButtonInfo(toolbar, TBIF_IMAGE | TBIF_TEXT | TBIF_STATE);
    // The toolbar copies the text; it never writes through the pointer.
    char text[128] = {};
    std::strncpy(text, label, sizeof text - 1);
    info.iImage = kind;
    info.pszText = text;
    info.cchText = static_cast<int>(std::strlen(text));
    info.fsState = TBSTATE_ENABLED;
    setNumberButtonInfo(toolbar, info);
    MoveWindow(numberBox, 38, 0, DIAL_BUTTON_LEFT - 38, 100, TRUE);
}

void setNumberButtonImage(HWND toolbar, std::int32_t kind) {
    TBBUTTONINFOA info = numberButtonInfo(toolbar, TBIF_IMAGE);
    info.iImage = kind;
    setNumberButtonInfo(toolbar, info);
}

} // namespace vellix
