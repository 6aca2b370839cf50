#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/fs/PathParts.h"

namespace ferrowick::runtime {

namespace {
// A folder in its own right: the entry type tells, without a stat, on most file systems.
bool isRealFolder(int dirFd, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_UNKNOWN) return false;
  struct stat st{};
  return ::fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

std::vector<std::string> FileSystem::listFolders(const std::string& folder) {
  faults_.check("list", folder);
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    if (errno == ENOENT || errno == ENOTDIR) return names;
    raiseErrno(errno, folder);
  }
  const int dirFd = ::dirfd(dir);
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) break;
    if (isHiddenName(entry->d_name) || !isRealFolder(dirFd, *entry)) continue;
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  const int readError = errno;
  ::closedir(dir);
  if (readError != 0) raiseErrno(readError, folder);
  return names;
}

}  // namespace ferrowick::runtime
