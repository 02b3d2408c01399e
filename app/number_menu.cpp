#include "app/number_menu.h"

#include "res/resource.h"

#include <cstdio>

namespace vellix {

void formatNumberMenuItem(const char* label, const char* digitForm,
                          char (&text)[NUMBER_MENU_TEXT_CAPACITY]) {
    const int length = std::snprintf(text, sizeof text, "%s (%s)", label, digitForm);
    // A cut item would name a number that is not the one picked.
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof text)
        text[0] = '\0';
}

std::size_t addNumberMenuItems(Desktop& desktop, MenuHandle menu,
                               const CapturedNumberList& capturedNumbers) {
    for (std::size_t i = 0; i < capturedNumbers.size(); ++i) {
        const CapturedNumber& entry = capturedNumbers[i];
        char text[NUMBER_MENU_TEXT_CAPACITY];
        formatNumberMenuItem(entry.label(), entry.number().digitForm(), text);
        desktop.insertMenuItem(menu, i, CMD_PICK_FIRST + static_cast<std::uint32_t>(i), text);
    }
    return capturedNumbers.size();
}

int showNumberMenu(Desktop& desktop, const CapturedNumberList& capturedNumbers) {
    MenuHandle menu = desktop.createPopupMenu();
    addNumberMenuItems(desktop, menu, capturedNumbers);
    desktop.trackNumberMenu(menu);
    desktop.destroyMenu(menu);
    return 0;
}

} // namespace vellix
