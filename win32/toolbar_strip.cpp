#include "win32/toolbar_strip.h"

#include "res/resource.h"
#include "shell/dialing.h"
#include "win32/display_scale.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vellix {

namespace {

constexpr int NUMBER_KIND_COUNT = 3;
// Where the Dial button begins and how wide it is at least, in standard pixels.
constexpr int DIAL_BUTTON_LEFT = 168;
constexpr int DIAL_BUTTON_WIDTH = 42;
// Room beside the Dial text, each side.
constexpr int DIAL_TEXT_MARGIN = 8;
// How far the list of a number box drops.
constexpr int NUMBER_LIST_HEIGHT = 100;

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

bool numberButtonShown(HWND toolbar) {
    return (numberButtonInfo(toolbar, TBIF_STATE).fsState & TBSTATE_HIDDEN) == 0;
}

// A wide window, so that the box keeps text beyond the code page: a pasted Japanese number.
HWND createChild(HWND parent, HWND toolbar, const wchar_t* className, const wchar_t* text,
                 DWORD style, int id) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND child =
        CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    // The toolbar passes the child's commands on to the main window.
    SetParent(child, toolbar);
    return child;
}

int textWidth(HWND window, HFONT font) {
    char text[32] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    HDC dc = GetDC(window);
    const HGDIOBJ before = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    SelectObject(dc, before);
    ReleaseDC(window, dc);
    return size.cx;
}

int heightOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return place.bottom - place.top;
}

// Sizes the window so that its client area is width by height. A minimised window keeps the
// size for when it is restored.
void fitWindowAround(HWND window, int width, int height, int dpi) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    const RECT outer = outerRectForDpi({0, 0, width, height}, style, exStyle, dpi);
    int outerWidth = outer.right - outer.left;
    int outerHeight = outer.bottom - outer.top;
    if (IsIconic(window) != FALSE) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        RECT& normal = placement.rcNormalPosition;
        normal.right = normal.left + outerWidth;
        normal.bottom = normal.top + outerHeight;
        placement.showCmd = SW_SHOWMINNOACTIVE;
        SetWindowPlacement(window, &placement);
        return;
    }
    SetWindowPos(window, nullptr, 0, 0, outerWidth, outerHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A frame that did not follow the scale (Wine keeps the system's) is made up for.
    RECT client{};
    GetClientRect(window, &client);
    if (client.right != width || client.bottom != height) {
        outerWidth += width - client.right;
        outerHeight += height - client.bottom;
        SetWindowPos(window, nullptr, 0, 0, outerWidth, outerHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Places the box and the Dial button in the toolbar, one row as tall as the box, and sizes
// the main window around them.
void layoutStrip(const ToolbarStrip& strip) {
    const int dpi = strip.dpi;
    const int rowHeight = heightOf(strip.numberBox);
    const int pictureSize = pictureSizeForDpi(dpi);
    SendMessageA(strip.toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(pictureSize + scaledToDpi(7, dpi), rowHeight));

    int boxLeft = scaledToDpi(1, dpi);
    if (numberButtonShown(strip.toolbar)) {
        RECT button{};
        SendMessageA(strip.toolbar, TB_GETRECT, CMD_NUMBER_MENU, reinterpret_cast<LPARAM>(&button));
        boxLeft = button.right + scaledToDpi(1, dpi);
    }
    const int dialLeft =
        std::max(scaledToDpi(DIAL_BUTTON_LEFT, dpi), boxLeft + scaledToDpi(60, dpi));
    const int dialWidth = std::max(scaledToDpi(DIAL_BUTTON_WIDTH, dpi),
                                   textWidth(strip.dialButton, strip.font.get()) +
                                       2 * scaledToDpi(DIAL_TEXT_MARGIN, dpi));
    MoveWindow(strip.numberBox, boxLeft, 0, dialLeft - boxLeft,
               scaledToDpi(NUMBER_LIST_HEIGHT, dpi) + rowHeight, TRUE);
    MoveWindow(strip.dialButton, dialLeft, 0, dialWidth, rowHeight, TRUE);

    // The toolbar is placed here, not by itself: its frame's divider and one row.
    RECT frame{};
    RECT inside{};
    GetWindowRect(strip.toolbar, &frame);
    GetClientRect(strip.toolbar, &inside);
    const int width = dialLeft + dialWidth;
    const int height = rowHeight + (frame.bottom - frame.top) - (inside.bottom - inside.top);
    MoveWindow(strip.toolbar, 0, 0, width, height, TRUE);

    fitWindowAround(GetParent(strip.toolbar), width, height, dpi);
}

} // namespace

ToolbarStrip buildToolbarStrip(HWND mainWindow) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ToolbarStrip strip;
    strip.toolbar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE, 0,
                        0, 100, 64, mainWindow, nullptr, instance, nullptr);
    const auto style = static_cast<DWORD>(SendMessageA(strip.toolbar, TB_GETSTYLE, 0, 0));
    SendMessageA(strip.toolbar, TB_SETSTYLE, 0, style & ~static_cast<DWORD>(TBSTYLE_TRANSPARENT));
    SendMessageA(strip.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(strip.toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&NUMBER_BUTTON));
    SendMessageA(strip.toolbar, TB_SETMAXTEXTROWS, 0, 0);
    SendMessageA(strip.toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);

    TBBUTTONINFOA info = numberButtonInfo(strip.toolbar, TBIF_STATE | TBIF_STYLE);
    info.fsStyle |= BTNS_DROPDOWN;
    info.fsState |= TBSTATE_HIDDEN;
    setNumberButtonInfo(strip.toolbar, info);

    // A dial string may be longer than the field is wide: the text scrolls as it is typed, up
    // to what the dial command reads.
    strip.numberBox = createChild(mainWindow, strip.toolbar, L"combobox", nullptr,
                                  CBS_DROPDOWN | CBS_AUTOHSCROLL, 0);
    SendMessageA(strip.numberBox, CB_LIMITTEXT, DIAL_TEXT_CAPACITY - 1, 0);
    strip.dialButton =
        createChild(mainWindow, strip.toolbar, L"button", L"Dial", BS_PUSHBUTTON, CMD_DIAL);
    scaleToolbarStrip(strip, dpiOfWindow(mainWindow));
    return strip;
}

void scaleToolbarStrip(ToolbarStrip& strip, int dpi) {
    strip.dpi = dpi;
    ScopedFont font = createMessageFont(dpi);
    if (font) {
        for (HWND control : {strip.numberBox, strip.dialButton})
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        strip.font = std::move(font);
    }
    const int size = pictureSizeForDpi(dpi);
    ScopedImageList images(
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, NUMBER_KIND_COUNT, 0));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int kind = 0; kind < NUMBER_KIND_COUNT; ++kind) {
        const ScopedIcon icon = loadPictureAtSize(instance, IDI_NUMBER_KIND_FIRST + kind, size);
        ImageList_AddIcon(images.get(), icon.get());
    }
    SendMessageA(strip.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    strip.kindImages = std::move(images);
    layoutStrip(strip);
}

void showSingleNumberLayout(ToolbarStrip& strip) {
    TBBUTTONINFOA info = numberButtonInfo(strip.toolbar, TBIF_STATE);
    info.fsState = TBSTATE_HIDDEN;
    setNumberButtonInfo(strip.toolbar, info);
    layoutStrip(strip);
}

void showSeveralNumbersLayout(ToolbarStrip& strip, std::int32_t kind, const char* label) {
    // The label is the button's tip. The toolbar copies the text; it never writes through the
    // pointer.
    std::wstring text = wideText(label);
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE | TBIF_TEXT | TBIF_STATE;
    info.iImage = kind;
    info.pszText = text.data();
    info.cchText = static_cast<int>(text.size());
    info.fsState = TBSTATE_ENABLED;
    SendMessageW(strip.toolbar, TB_SETBUTTONINFOW, CMD_NUMBER_MENU,
                 reinterpret_cast<LPARAM>(&info));
    layoutStrip(strip);
}

void setNumberButtonImage(HWND toolbar, std::int32_t kind) {
    TBBUTTONINFOA info = numberButtonInfo(toolbar, TBIF_IMAGE);
    info.iImage = kind;
    setNumberButtonInfo(toolbar, info);
}

} // namespace vellix
