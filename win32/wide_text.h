#pragma once

// Text as the program keeps it, UTF-8, for the wide calls of Windows, and back.

#include <string>
#include <string_view>

namespace vellix {

std::wstring wideText(std::string_view utf8);

std::string utf8Text(std::wstring_view wide);

// Text in the system's ANSI code page, as CF_TEXT and older programs write it; NULs stay.
std::wstring wideFromAnsi(std::string_view ansi);

} // namespace vellix
