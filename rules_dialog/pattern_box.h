#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vellix {

// A row's pattern box: an owner-drawn button that looks like a drop-down list and shows its
// list as a menu. A combo box would own a pop-up list window from its creation on, and under
// Wine every pop-up window makes each window created after it slower: a screen of rows took
// three times as long to open with thirty of them.

// Draws the box for WM_DRAWITEM: its window text in a drop-down list's frame and arrow.
void drawPatternBox(const DRAWITEMSTRUCT& item);

// Lets F4 and Alt+Up or Alt+Down open the list, as they do on a combo box.
void addPatternBoxKeys(HWND box);

// Drops the list of patterns below the box, the chosen one marked, and waits for the user:
// the index picked, or none when the list was closed without a pick.
std::optional<std::size_t> pickPattern(HWND box, const std::vector<std::string>& patterns,
                                       std::size_t chosen);

} // namespace vellix
