// Opens the real Dialing Rules dialog under Wine, works its rows through the commands its
// controls send, and checks the controls and the rules handed back. Exit code 0: all passed.
#include "rules_dialog/rules_dialog.h"
#include "win32/dpi.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace vellix {
namespace {

int failures = 0;

void check(bool ok, const char* what) {
    if (!ok) {
        ++failures;
        std::printf("FAILED: %s\n", what);
    }
}

std::string textOf(HWND dialog, int id) {
    char text[512] = {};
    GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
    return text;
}

// A control's top in the dialog's client area.
int topOf(HWND dialog, int id) {
    RECT place{};
    GetWindowRect(GetDlgItem(dialog, id), &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place.top;
}

// The control's own visibility; the dialog may not be on screen yet.
bool isShown(HWND dialog, int id) {
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

int outerHeight(HWND dialog) {
    RECT outer{};
    GetWindowRect(dialog, &outer);
    return outer.bottom - outer.top;
}

void command(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The user clicks a row's check box: it ticks itself, then tells the dialog.
void clickBox(HWND dialog, int id) {
    const HWND box = GetDlgItem(dialog, id);
    const bool ticked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(box, BM_SETCHECK, ticked ? BST_UNCHECKED : BST_CHECKED, 0);
    command(dialog, id);
}

std::function<void(HWND)> scenario;

void CALLBACK runScenario(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowA(MAKEINTATOM(32770), "Dialing Rules Under Test");
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    scenario(dialog);
    // Whatever the scenario did, the dialog must end.
    if (IsWindow(dialog))
        command(dialog, IDCANCEL);
}

void runDialog(RuleSet& rules, std::function<void(HWND)> steps) {
    scenario = std::move(steps);
    SetTimer(nullptr, 0, 20, runScenario);
    DialogBoxParamW(GetModuleHandleA(nullptr), MAKEINTRESOURCEW(131), nullptr, rulesDialogProc,
                    reinterpret_cast<LPARAM>(&rules));
}

DialingRule ruleOf(const std::string& pattern, const std::string& replacement, bool enabled,
                   bool verified) {
    return DialingRule::fromText(pattern.c_str(), replacement.c_str(), enabled, verified)
        .value_or(DialingRule{});
}

const std::string LONG_REPLACEMENT = std::string(120, '9') + " xxx xxxx";

RuleSet threeRules() {
    return {ruleOf("412 268 xxxx", "8 xxxx", true, false),
            ruleOf("650 xxx xxxx", "9 1 650 xxx xxxx", true, true),
            ruleOf("xxx xxxx", LONG_REPLACEMENT, false, false)};
}

void rowsShowTheirRulesAndOkHandsBackTheEdits() {
    RuleSet rules = threeRules();
    runDialog(rules, [](HWND dialog) {
        check(textOf(dialog, 1024) == "Dial", "dial label");
        check(textOf(dialog, 1025) == "412 268 xxxx", "pattern of row 1");
        check(textOf(dialog, 1026) == "numbers as", "as label");
        check(textOf(dialog, 1027) == "8 xxxx", "replacement of row 1");
        check(textOf(dialog, 1028) == " (enabled)", "enabled label of row 1");
        check(textOf(dialog, 1030) == ", (unverified)", "verified label of row 1");
        check(isShown(dialog, 1031), "Confirm shown when unverified");
        check(textOf(dialog, 1039) == ", (verified)", "verified label of row 2");
        check(!isShown(dialog, 1040), "Confirm hidden when verified");
        check(textOf(dialog, 1046) == "(disabled)", "enabled label of row 3");
        check(textOf(dialog, 1045) == LONG_REPLACEMENT, "long replacement shown whole");
        check(SendDlgItemMessageA(dialog, 1029, BM_GETCHECK, 0, 0) == BST_CHECKED, "box ticked");
        check(SendDlgItemMessageA(dialog, 1047, BM_GETCHECK, 0, 0) == BST_UNCHECKED, "box clear");
        check(GetDlgItem(dialog, 1051) == nullptr, "no id past the last row");
        check(topOf(dialog, 1029) == 24 && topOf(dialog, 1024) == 28, "row 1 at y 24");
        check(topOf(dialog, 1047) == 68, "row 3 at y 68");
        check(topOf(dialog, IDOK) == 107 && topOf(dialog, IDCANCEL) == 107, "buttons at y 107");
        check(outerHeight(dialog) == 169, "dialog 169 high");

        SetWindowTextA(GetDlgItem(dialog, 1025), "999 999 9999");
        clickBox(dialog, 1029);
        check(textOf(dialog, 1028) == "(disabled)", "box switches the rule off");
        check(textOf(dialog, 1030) == ", (verified)" && !isShown(dialog, 1031),
              "switching the rule off verifies it");
        command(dialog, 1031);
        check(textOf(dialog, 1030) == ", (verified)", "Confirm verifies");
        check(!isShown(dialog, 1031), "Confirm hides itself");

        command(dialog, 1041);
        bool gone = true;
        for (int id = 1033; id <= 1041; ++id)
            gone = gone && GetDlgItem(dialog, id) == nullptr;
        check(gone, "Delete destroys the middle row");
        check(topOf(dialog, 1047) == 46, "last row moves up to y 46");
        check(topOf(dialog, IDOK) == 85, "buttons move up to y 85");
        check(outerHeight(dialog) == 147, "dialog shrinks to 147");
        command(dialog, 1038); // an id of the deleted row
        command(dialog, IDOK);
    });
    check(rules.size() == 2, "OK hands back two rules");
    if (rules.size() == 2) {
        check(std::strcmp(rules[0].patternText(), "412 268 xxxx") == 0, "first rule kept");
        check(!rules[0].isEnabled() && rules[0].isVerified(), "first rule edited");
        check(std::strcmp(rules[1].patternText(), "xxx xxxx") == 0, "third rule kept");
        check(!rules[1].isEnabled() && !rules[1].isVerified(), "third rule unchanged");
    }
}

void cancelLeavesTheRulesAsTheyWere() {
    RuleSet rules = threeRules();
    runDialog(rules, [](HWND dialog) {
        clickBox(dialog, 1029);
        command(dialog, 1031);
        command(dialog, 1050);
        command(dialog, IDCANCEL);
    });
    check(rules.size() == 3, "Cancel keeps every rule");
    if (rules.size() == 3)
        check(rules[0].isEnabled() && !rules[0].isVerified(), "Cancel keeps the rule's state");
}

void anEmptySetIsLaidOutAsOneRow() {
    RuleSet rules;
    runDialog(rules, [](HWND dialog) {
        check(topOf(dialog, IDOK) == 63, "empty: buttons at y 63");
        check(outerHeight(dialog) == 125, "empty: dialog 125 high");
        command(dialog, IDOK);
    });
    check(rules.empty(), "empty: OK leaves the set empty");
}

// A key as the dialog's own loop hands it on, Shift held or not.
void pressInDialog(HWND dialog, WPARAM key, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    IsDialogMessageA(dialog, &message);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Checks that the control with the id has the keyboard after the key named.
void checkFocusOn(int expected, const char* key) {
    const int focused = GetDlgCtrlID(GetFocus());
    check(focused == expected, (std::string(key) + ": focus on " + std::to_string(focused) +
                                ", expected " + std::to_string(expected))
                                   .c_str());
}

// Tab from the last row in view scrolls the next row in and gives the keyboard to its first
// control; Shift+Tab goes back to where it came from.
void tabBringsTheNextRowIntoView() {
    RuleSet rules;
    for (int area = 200; area < 500; ++area) {
        const std::string pattern = std::to_string(area) + " 555 xxxx";
        rules.push_back(ruleOf(pattern, "9 1 " + pattern, true, true));
    }
    runDialog(rules, [](HWND dialog) {
        int lastShown = 0;
        while (GetDlgItem(dialog, 1024 + 9 * (lastShown + 1)) != nullptr)
            ++lastShown;
        const int lastDelete = 1024 + 9 * lastShown + 8;
        const int nextPattern = 1024 + 9 * (lastShown + 1) + 1;
        SetFocus(GetDlgItem(dialog, lastDelete));
        pressInDialog(dialog, VK_TAB, false);
        checkFocusOn(nextPattern, "Tab");
        check(GetDlgItem(dialog, 1024) == nullptr && GetDlgItem(dialog, lastDelete) != nullptr,
              "Tab: the rows scrolled by one");
        pressInDialog(dialog, VK_TAB, true);
        checkFocusOn(lastDelete, "Shift+Tab");
        command(dialog, IDCANCEL);
    });
}

// Row ids go past the 16 bits a command's word holds from row 7,168 on: the box of the last
// of 10,000 rows switches that rule and no other.
void theLastOfTenThousandRowsActsOnItsOwnRule() {
    RuleSet rules;
    for (int i = 0; i < 10000; ++i) {
        const std::string pattern =
            std::to_string(200 + i % 800) + " " + std::to_string(100 + i / 800) + " xxxx";
        rules.push_back(ruleOf(pattern, "9 1 xxx xxx xxxx", true, true));
    }
    runDialog(rules, [](HWND dialog) {
        SendMessageA(dialog, WM_VSCROLL, SB_BOTTOM, 0);
        const int lastBox = 1024 + 9 * 9999 + 5;
        check(GetDlgItem(dialog, lastBox) != nullptr, "10,000 rows: the last row scrolled in");
        clickBox(dialog, lastBox);
        check(textOf(dialog, lastBox - 1) == "(disabled)", "10,000 rows: the last row's label");
        command(dialog, IDOK);
    });
    check(rules.size() == 10000 && !rules[9999].isEnabled(), "10,000 rows: last rule off");
    int off = 0;
    for (const DialingRule& rule : rules)
        off += rule.isEnabled() ? 0 : 1;
    check(off == 1, "10,000 rows: no other rule switched");
}

// The colour pixels of an icon of size by size (alpha in the top byte), top row first.
std::vector<std::uint32_t> iconPixels(HICON icon, int size) {
    ICONINFO parts{};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size * size));
    if (icon == nullptr || !GetIconInfo(icon, &parts))
        return {};
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, parts.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &format,
              DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return pixels;
}

// Under high contrast a picture is its own shape in the theme's colour: every pixel it
// covers takes the colour, and it covers what the picture covers.
void aPictureInHighContrastKeepsItsShape() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const int size : {16, 24, 32}) {
        const ScopedIcon picture = loadIconAtSize(instance, 134, size);
        const ScopedIcon shape = silhouetteOf(picture.get(), size, RGB(0xFF, 0xFF, 0x00));
        const std::vector<std::uint32_t> before = iconPixels(picture.get(), size);
        const std::vector<std::uint32_t> after = iconPixels(shape.get(), size);
        check(!before.empty() && after.size() == before.size(), "silhouette made");
        int covered = 0;
        int wrong = 0;
        for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
            covered += (before[i] >> 24) != 0 ? 1 : 0;
            wrong += (after[i] >> 24) != (before[i] >> 24) ||
                             ((after[i] >> 24) != 0 && (after[i] & 0xFFFFFF) != 0xFFFF00)
                         ? 1
                         : 0;
        }
        if (covered == 0 || wrong != 0)
            std::printf("size %d: %d pixels covered, %d differ in shape or colour\n", size, covered,
                        wrong);
        check(covered > 0 && wrong == 0, "silhouette keeps the shape in the colour");
    }
}

} // namespace
} // namespace vellix

int main() {
    InitCommonControls();
    vellix::rowsShowTheirRulesAndOkHandsBackTheEdits();
    vellix::cancelLeavesTheRulesAsTheyWere();
    vellix::anEmptySetIsLaidOutAsOneRow();
    vellix::tabBringsTheNextRowIntoView();
    vellix::theLastOfTenThousandRowsActsOnItsOwnRule();
    vellix::aPictureInHighContrastKeepsItsShape();
    std::printf("%s\n", vellix::failures == 0 ? "all passed" : "some checks failed");
    return vellix::failures == 0 ? 0 : 1;
}
