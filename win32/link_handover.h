#pragma once

#include <windows.h>

#include <string_view>

namespace vellix {

// A clicked "tel:" or "callto:" link starts a second process with the link as its command
// line. It hands the link to the running program and leaves, so that one process watches
// the clipboard and writes the data files.

// Marks the WM_COPYDATA that carries a command line.
constexpr ULONG_PTR LINK_COPY_DATA = 0x4B4E494C;
// The longest command line Windows starts a program with: a link of any length that reaches
// the program is read, by a fresh start and by the running program alike.
constexpr DWORD MAX_LINK_SIZE = 32767;

// The named mutex whose first owner in a user session is the one Vellix of that session.
constexpr const char* INSTANCE_MUTEX_NAME = "Local\\Vellix.Instance";

// True when the command line holds nothing but blanks: a start without a link.
bool isBlankCommandLine(std::string_view commandLine);

// Hands the command line to the program that runs under className, or only shows its window
// when the command line is blank. The running program may have started a moment ago and
// have no window yet: it is waited for, for a few seconds.
void handOverToRunningProgram(const char* className, std::string_view commandLine);

// The command line a WM_COPYDATA carries, read within the data's own size; empty when the
// data is not a handed-over command line or is too long to be one.
std::string_view handedOverCommandLine(const COPYDATASTRUCT* data);

} // namespace vellix
