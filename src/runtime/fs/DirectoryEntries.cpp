#include "runtime/fs/DirectoryEntries.h"

#include <cerrno>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

void forEachEntry(const std::string& folder,
                  const std::function<void(int folderFd, const dirent& entry)>& visit) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    // A folder that is not there lists nothing, as the runtime's listing does.
    if (errno == ENOENT || errno == ENOTDIR) return;
    raiseErrno(errno, folder);
  }
  const int folderFd = ::dirfd(dir);
  int readError = 0;
  try {
    // errno is cleared right before each read: only readdir's own failure may end the
    // listing with an error, not one left by the work on the entry before.
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(dir);
      if (entry == nullptr) {
        readError = errno;
        break;
      }
      visit(folderFd, *entry);
    }
  } catch (...) {
    ::closedir(dir);
    throw;
  }
  ::closedir(dir);
  if (readError != 0) raiseErrno(readError, folder);
}

}  // namespace ferrowick::runtime
