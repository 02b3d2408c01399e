#pragma once

// Text as the program keeps it, UTF-8, for the wide calls of Windows, and back.

#include <windows.h>

#include <string>
#include <string_view>

namespace vellix {

std::wstring wideText(std::string_view utf8);

// The same for a text that may be null, as a window's text at creation: null stays null.
class WideArgument {
public:
    explicit WideArgument(const char* utf8)
        : null_(utf8 == nullptr), text_(null_ ? std::wstring() : wideText(utf8)) {}
    const wchar_t* get() const { return null_ ? nullptr : text_.c_str(); }

private:
    bool null_;
    std::wstring text_;
};

std::string utf8Text(std::wstring_view wide);

// Copied or typed text as numbers are read: folded (foldCopiedText), in UTF-8.
std::string foldedText(std::wstring_view wide);

// The whole text of a window, as typed or set.
std::wstring windowText(HWND window);

// Text in the system's ANSI code page, as CF_TEXT and older programs write it; NULs stay.
std::wstring wideFromAnsi(std::string_view ansi);

} // namespace vellix
