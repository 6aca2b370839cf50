#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/RuntimeError.h"
#include "runtime/UniqueFd.h"
#include "runtime/fs/DirectoryEntries.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/fs/PathParts.h"

namespace ferrowick::runtime {

namespace {
// A folder in its own right: the entry type tells, without a stat, on most file systems.
bool isRealFolder(int dirFd, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_UNKNOWN) return false;
  struct stat st {};
  return ::fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

std::vector<std::string> FileSystem::listFolders(const std::string& folder) {
  faults_.check(FaultPoint::List, folder);
  std::vector<std::string> names;
  forEachEntry(folder, [&names](int folderFd, const dirent& entry) {
    const std::string_view name = entry.d_name;
    if (isHiddenName(name) || name == "." || name == ".." || !isRealFolder(folderFd, entry)) {
      return;
    }
    names.emplace_back(name);
  });
  return names;
}

std::optional<FileSystem::FolderId> FileSystem::folderId(const std::string& path) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (!fd || ::fstat(fd.get(), &st) != 0) return std::nullopt;
  return FolderId{st.st_dev, st.st_ino};
}

std::vector<std::string> FileSystem::listPlainFolders(const std::string& folder,
                                                      const std::optional<FolderId>& leaveOut) {
  std::vector<std::string> names = listFolders(folder);
  if (names.empty()) return names;
  const std::string parent = folder.ends_with('/') ? folder : folder + "/";
  const UniqueFd parentFd(::open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!parentFd) raiseErrno(errno, parent);
  std::erase_if(names, [&](const std::string& name) {
    const std::string path = parent + name;
    faults_.check(FaultPoint::Attributes, path);
    struct stat st {};
    if (::fstatat(parentFd.get(), name.c_str(), &st, 0) != 0) raiseErrno(errno, path);
    if (leaveOut && st.st_dev == leaveOut->device && st.st_ino == leaveOut->inode) return true;
    return !S_ISDIR(st.st_mode);
  });
  return names;
}

}  // namespace ferrowick::runtime
