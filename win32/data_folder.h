#pragma once

#include <string>

namespace vellix {

// The folder of the data files, decided once at start: the one given on the command line;
// for the installed program (the one in the folder the installer recorded) the data folder
// the installer made, %APPDATA%\Vellix, whatever folder a shortcut or a clicked link starts
// it in; otherwise, as a portable program, empty: the folder it is started from. Folders are
// in UTF-8.
std::string chooseDataFolder(const std::string& givenFolder);

// Makes the folder the one the data files are read from and written to, creating it when
// needed; false when it cannot be.
bool useDataFolder(const std::string& folder);

} // namespace vellix
