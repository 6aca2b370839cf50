#pragma once

#include <string>

namespace ferrowick::services::modPathUsers {

// The current user's local application-data folder: $XDG_DATA_HOME, or ~/.local/share
// when it is unset or not absolute. Created (mode 0700) when missing. No trailing
// separator; the empty string when no such folder can be found or made.
std::string GetLocalAppDataPath();

// The program's own folder P below it, GetLocalAppDataPath() + "/Halvorne/Ferrowick":
// the settings file, its previous version, the log and the archive database live here.
// Its missing levels are made with mode 0700. The empty string when the application-data
// folder is unavailable, so that nothing lands below the file-system root instead.
std::string AppDataFolder();

}  // namespace ferrowick::services::modPathUsers
