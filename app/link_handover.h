#pragma once

#include <windows.h>

#include <string_view>

namespace vellix {

// A clicked "tel:" or "callto:" link starts a second process with the link as its command
// line. It hands the link to the running program and leaves, so that one process watches
// the clipboard and writes the data files.

// Marks the WM_COPYDATA that carries a command line.
constexpr ULONG_PTR LINK_COPY_DATA = 0x4B4E494C;
// A command line longer than this carries no number worth reading.
constexpr DWORD MAX_LINK_SIZE = 2048;

// True when the command line holds nothing but blanks: a start without a link.
bool isBlankCommandLine(std::string_view commandLine);

// When the program already runs under className: hands it the command line, or only shows
// its window when the command line is blank, and returns true.
bool handOverToRunningProgram(const char* className, std::string_view commandLine);

// The command line a WM_COPYDATA carries, read within the data's own size; empty when the
// data is not a handed-over command line or is too long to be one.
std::string_view handedOverCommandLine(const COPYDATASTRUCT* data);

} // namespace vellix
