#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/RuntimeError.h"
#include "runtime/UniqueFd.h"
#include "runtime/fs/FileSystem.h"

namespace ferrowick::runtime {

bool FileSystem::clearReadOnly(const std::string& path) {
  return clearReadOnlyAt(AT_FDCWD, path, path, {});
}

bool FileSystem::clearReadOnlyAt(int folder, const std::string& name, const std::string& target,
                                 const std::string& source) {
  const std::string& path = target;
  faults_.check(FaultPoint::SetAttributes, path);
  // Opened without following a link, so that the file changed is the one found here.
  const UniqueFd fd(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!fd) {
    if (errno == ELOOP || errno == ENOENT) return false;
    raiseErrno(errno, path);
  }
  struct stat st {};
  struct stat original {};
  int err = 0;
  bool changed = false;
  if (::fstat(fd.get(), &st) != 0) {
    err = errno;
  } else if (!source.empty() && ::stat(source.c_str(), &original) == 0 &&
             original.st_dev == st.st_dev && original.st_ino == st.st_ino) {
    // The source itself, reached through the destination: never changed.
  } else if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
    if (::fchmod(fd.get(), (st.st_mode & 07777) | S_IWUSR) == 0) {
      changed = true;
    } else {
      err = errno;
    }
  }
  if (err != 0) raiseErrno(err, path);
  return changed;
}

}  // namespace ferrowick::runtime
