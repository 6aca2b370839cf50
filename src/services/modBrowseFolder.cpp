#include "services/modBrowseFolder.h"

#include "runtime/Host.h"
#include "services/modLanguage.h"

namespace ferrowick::services::modBrowseFolder {

std::string BrowseForFolder(runtime::FolderPicker& picker, const modLanguage& lang,
                            const std::string& startFolder) {
  return picker.browse(lang.text(Text::ChooseFolder), startFolder);
}

}  // namespace ferrowick::services::modBrowseFolder
