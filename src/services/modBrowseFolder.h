#pragma once

#include <string>

namespace ferrowick::runtime {
class FolderPicker;
}

namespace ferrowick::services {

class modLanguage;

namespace modBrowseFolder {

// Opens the folder picker (owned by the main window, once the host knows it) on
// `startFolder`, titled with language text 209. The chosen folder, or the empty string
// when the user cancels.
std::string BrowseForFolder(runtime::FolderPicker& picker, const modLanguage& lang,
                            const std::string& startFolder);

}  // namespace modBrowseFolder
}  // namespace ferrowick::services
