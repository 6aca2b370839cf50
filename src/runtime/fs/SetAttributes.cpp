#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/RuntimeError.h"
#include "runtime/UniqueFd.h"
#include "runtime/fs/ArchiveStore.h"
#include "runtime/fs/FileSystem.h"

namespace ferrowick::runtime {

void FileSystem::setAttributes(const std::string& path, long attributes) {
  faults_.check(FaultPoint::SetAttributes, path);
  // Hidden and system follow from the name and the kind of entry and cannot be changed,
  // but a word that carries them is still a valid one.
  constexpr long settable = Attr::ReadOnly | Attr::Hidden | Attr::System | Attr::Archive;
  if (attributes < 0 || (attributes & ~settable) != 0) raise(Err::InvalidProcedureCall);

  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) raiseErrno(errno, path);

  const bool readOnly = (attributes & Attr::ReadOnly) != 0;
  const bool isReadOnly = (st.st_mode & S_IWUSR) == 0;
  // A folder's word never carries read-only, so setting it leaves the folder as it is.
  if (readOnly != isReadOnly && !S_ISDIR(st.st_mode)) {
    const mode_t writeBits = S_IWUSR | S_IWGRP | S_IWOTH;
    const mode_t mode =
        readOnly ? (st.st_mode & 07777 & ~writeBits) : ((st.st_mode & 07777) | S_IWUSR);
    if (::chmod(path.c_str(), mode) != 0) raiseErrno(errno, path);
  }

  if (!S_ISREG(st.st_mode)) return;
  if ((attributes & Attr::Archive) != 0) {
    archive().setArchive(path);
    recordRemoved();
  } else {
    // Not left waiting behind the lookups of a batch that has written nothing yet.
    if (batching_ && batched_ == 0) archive().commit();
    archive().clearArchive(path, st);
  }
}

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
