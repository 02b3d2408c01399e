#pragma once

namespace vellix {

// An installer that replaces or removes Vellix first closes the running one, so that no file
// of it is in use, and starts it again after an update.

// Closes the Vellix running in this session as its Exit command does (asking first about
// data that cannot be saved) and waits a while for it to end. It may run in any desktop of
// the window station. forUpdate records that it is to start again once the update is done.
void closeRunningProgram(const char* className, bool forUpdate);

// Whether a Vellix was closed for the update that has just ended; true once.
bool takeReopenRequest();

} // namespace vellix
