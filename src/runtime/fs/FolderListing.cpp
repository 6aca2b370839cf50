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

namespace {
bool isListedFolder(int folderFd, const dirent& entry) {
  const std::string_view name = entry.d_name;
  return !isHiddenName(name) && name != "." && name != ".." && isRealFolder(folderFd, entry);
}
}  // namespace

std::vector<std::string> FileSystem::listFolders(const std::string& folder) {
  faults_.check(FaultPoint::List, folder);
  std::vector<std::string> names;
  forEachEntry(folder, [&names](int folderFd, const dirent& entry) {
    if (isListedFolder(folderFd, entry)) names.emplace_back(entry.d_name);
  });
  return names;
}

std::optional<FileSystem::FolderId> FileSystem::folderId(const std::string& path) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (!fd || ::fstat(fd.get(), &st) != 0) return std::nullopt;
  return FolderId{st.st_dev, st.st_ino};
}

// Each folder is looked at from the descriptor its listing reads, not opened once more.
std::vector<std::string> FileSystem::listPlainFolders(const std::string& folder,
                                                      const std::optional<FolderId>& leaveOut) {
  faults_.check(FaultPoint::List, folder);
  const std::string parent = folder.ends_with('/') ? folder : folder + "/";
  std::vector<std::string> names;
  std::string path;
  forEachEntry(folder, [&](int folderFd, const dirent& entry) {
    if (!isListedFolder(folderFd, entry)) return;
    path.assign(parent).append(entry.d_name);
    faults_.check(FaultPoint::Attributes, path);
    struct stat st {};
    if (::fstatat(folderFd, entry.d_name, &st, 0) != 0) raiseErrno(errno, path);
    if (leaveOut && st.st_dev == leaveOut->device && st.st_ino == leaveOut->inode) return;
    if (S_ISDIR(st.st_mode)) names.emplace_back(entry.d_name);
  });
  return names;
}

}  // namespace ferrowick::runtime
