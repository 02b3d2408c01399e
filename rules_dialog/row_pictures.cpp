#include "rules_dialog/row_pictures.h"

#include "rules_dialog/dialog_window.h"
#include "win32/dpi.h"

#include <string>

namespace vellix {

namespace {

// One picture for each of the button's states.
constexpr int BUTTON_IMAGES = 5;

} // namespace

HIMAGELIST loadButtonImages(HINSTANCE instance, int iconId, int size) {
    // The image list takes its own copies of the picture.
    const ScopedIcon icon = loadPictureAtSize(instance, iconId, size);
    const HIMAGELIST images =
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, BUTTON_IMAGES, 1);
    for (int i = 0; i < BUTTON_IMAGES; ++i)
        ImageList_AddIcon(images, icon.get());
    return images;
}

void setButtonImages(HWND button, HIMAGELIST images) {
    // The text stays: a picture button ("BS_BITMAP") shows none, and screen readers read it
    // as the button's name ("Confirm", "Delete").
    BUTTON_IMAGELIST list{};
    list.himl = images;
    list.margin = RECT{0, 0, 0, 0};
    list.uAlign = BUTTON_IMAGELIST_ALIGN_CENTER;
    SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

HWND createTooltip(HWND owner) {
    return CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                           nullptr, instanceOf(owner), nullptr);
}

bool addTool(HWND tooltip, HWND control, const char* text) {
    if (tooltip == nullptr)
        return false;
    // The size that every version of the common controls accepts.
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = control;
    tool.uId = 0;
    GetClientRect(control, &tool.rect);
    std::string toolText = text;
    tool.lpszText = toolText.data();
    return SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

} // namespace vellix
