#include "shell/number_menu.h"

#include "capture/number_reading.h"
#include "res/resource.h"

#include <cstdio>

namespace vellix {

void formatNumberMenuItem(const char* label, const char* number,
                          char (&text)[NUMBER_MENU_TEXT_CAPACITY]) {
    // A number found with no word naming it shows alone.
    const int length = label[0] == '\0'
                           ? std::snprintf(text, sizeof text, "%s", number)
                           : std::snprintf(text, sizeof text, "%s (%s)", label, number);
    // A cut item would name a number that is not the one picked.
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof text)
        text[0] = '\0';
}

std::size_t addNumberMenuItems(Desktop& desktop, MenuHandle menu,
                               const CapturedNumberList& capturedNumbers) {
    for (std::size_t i = 0; i < capturedNumbers.size(); ++i) {
        const CapturedNumber& entry = capturedNumbers[i];
        char text[NUMBER_MENU_TEXT_CAPACITY];
        formatNumberMenuItem(entry.label(), shownNumber(readNumber(entry.number().text())).c_str(),
                             text);
        desktop.insertMenuItem(menu, i, CMD_PICK_FIRST + static_cast<std::uint32_t>(i), text);
    }
    return capturedNumbers.size();
}

namespace {

// The open menu, destroyed on every way out exactly once.
class PopupMenu {
public:
    explicit PopupMenu(Desktop& desktop) : desktop_(desktop), menu_(desktop.createPopupMenu()) {}
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    ~PopupMenu() { desktop_.destroyMenu(menu_); }

    MenuHandle handle() const { return menu_; }

private:
    Desktop& desktop_;
    MenuHandle menu_;
};

} // namespace

int showNumberMenu(Desktop& desktop, const CapturedNumberList& capturedNumbers) {
    const PopupMenu menu(desktop);
    addNumberMenuItems(desktop, menu.handle(), capturedNumbers);
    desktop.trackNumberMenu(menu.handle());
    return 0;
}

} // namespace vellix
