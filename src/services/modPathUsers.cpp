#include "services/modPathUsers.h"

#include "runtime/XdgDirs.h"
#include "services/modDir.h"

namespace ferrowick::services::modPathUsers {

std::string GetLocalAppDataPath() {
  std::string folder = runtime::dataHome().string();
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  if (folder.empty() || !modDir::EnsureFolderPath(folder)) return {};
  return folder;
}

std::string AppDataFolder() {
  const std::string base = GetLocalAppDataPath();
  if (base.empty()) return {};
  std::string folder = base + "/Halvorne/Ferrowick";
  // A folder that cannot be made shows up as the failure of the file operation that
  // needs it, with its own error number.
  modDir::EnsureFolderPath(folder);
  return folder;
}

}  // namespace ferrowick::services::modPathUsers
