#include "runtime/fs/DirectoryEntries.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <memory>

#include "runtime/RuntimeError.h"
#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

namespace {
// What one read of the folder takes at most: a folder of a few hundred entries in one go.
constexpr std::size_t kEntriesBuffer = 32768;

void visitOpened(int from, const char* name, const std::string& folder,
                 const std::function<void(int folderFd, const dirent& entry)>& visit,
                 bool missingRaises) {
  const UniqueFd dir(::openat(from, name, O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
  if (!dir) {
    // A folder that is not there lists nothing, as the runtime's listing does.
    if (errno == ENOENT || errno == ENOTDIR) {
      if (!missingRaises) return;
      raise(Err::PathNotFound);
    }
    raiseErrno(errno, folder);
  }
  // Each record has the layout of a dirent up to the end of its name, 8-byte aligned.
  const auto buffer =
      std::make_unique_for_overwrite<std::max_align_t[]>(kEntriesBuffer / sizeof(std::max_align_t));
  char* const bytes = reinterpret_cast<char*>(buffer.get());
  for (;;) {
    const ssize_t got = ::getdents64(dir.get(), bytes, kEntriesBuffer);
    if (got == 0) return;
    if (got < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, folder);
    }
    for (ssize_t at = 0; at < got;) {
      const auto* entry = reinterpret_cast<const dirent*>(bytes + at);
      at += entry->d_reclen;
      visit(dir.get(), *entry);
    }
  }
}
}  // namespace

// The entries are read straight from the kernel: the C library's directory stream would
// look at the folder once more for each listing, and the run lists every folder it copies.
void forEachEntry(const std::string& folder,
                  const std::function<void(int folderFd, const dirent& entry)>& visit,
                  bool missingRaises) {
  visitOpened(AT_FDCWD, folder.c_str(), folder, visit, missingRaises);
}

void forEachEntryAt(int folder,
                    const std::function<void(int folderFd, const dirent& entry)>& visit) {
  visitOpened(folder, ".", ".", visit, false);
}

}  // namespace ferrowick::runtime
