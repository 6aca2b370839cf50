#include "services/modPathUsers.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "services/modDir.h"

namespace ferrowick::services::modPathUsers {

namespace {
std::string absoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  return value;
}

std::string homeFolder() {
  std::string home = absoluteVariable("HOME");
  if (!home.empty()) return home;
  // No usable HOME (a service manager's environment): the account's own entry.
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return {};
}
}  // namespace

std::string GetLocalAppDataPath() {
  std::string folder = absoluteVariable("XDG_DATA_HOME");
  if (folder.empty()) {
    const std::string home = homeFolder();
    if (home.empty()) return {};
    folder = home + "/.local/share";
  }
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
