#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/RuntimeError.h"
#include "runtime/UniqueFd.h"
#include "runtime/fs/CopyFolder.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/fs/PathParts.h"
#include "runtime/fs/TemporaryFiles.h"
#include "runtime/fs/WriteAll.h"

namespace ferrowick::runtime {

namespace {

// Large enough that the syscall count does not matter, small enough that a fault planned
// on the second chunk lands in the middle of a test file of a few MiB.
constexpr std::size_t kChunk = std::size_t{1} << 20;

constexpr std::string_view kTemporaryMark = ".ferrowick-";

// ".ferrowick-XXXXXX": short, so that any name a target can have leaves room for it, and
// hidden, so a destination inside a source folder never lists it as a file to copy. Older
// versions made ".<name>.ferrowick-XXXXXX"; those are still swept.
bool isCopyTemporary(std::string_view name) {
  constexpr std::size_t tail = kTemporaryMark.size() + 6;
  if (!endsInTemporarySuffix(name) || name.size() < tail) return false;
  if (name.size() == tail) return name.starts_with(kTemporaryMark);
  return name.size() > tail + 1 && name.front() == '.' &&
         name.substr(name.size() - tail, kTemporaryMark.size()) == kTemporaryMark;
}

// What a file system that keeps no permissions or times (FAT, exFAT, NTFS through FUSE)
// answers when asked to set them: the copy stands without them.
bool attributesRefused(int err) { return err == ENOSYS || err == EPERM || err == EOPNOTSUPP; }

bool kernelCopyUnsupported(int err) {
  return err == EXDEV || err == ENOSYS || err == EINVAL || err == EOPNOTSUPP || err == EBADF;
}

// The bytes of `in` up to the length it had when it was opened (to its end when that was
// 0, as for files whose length the kernel does not know), by the kernel where it can.
std::uint64_t copyContent(Faults& faults, int in, int out, std::uint64_t length,
                          const std::string& source, const std::string& target,
                          const FileSystem::ChunkDone& betweenChunks, std::uint64_t every) {
  std::uint64_t copied = 0;
  std::uint64_t called = 0;
  bool kernel = true;
  std::unique_ptr<char[]> buffer;
  while (length == 0 || copied < length) {
    if (betweenChunks && copied - called >= every) {
      called = copied;
      betweenChunks();
    }
    faults.check(FaultPoint::CopyWrite, target);
    if (kernel) {
      const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
      if (n > 0) {
        copied += static_cast<std::uint64_t>(n);
        continue;
      }
      if (n == 0) break;
      if (errno == EINTR) continue;
      // Both offsets have moved past whatever was copied, so the loop below goes on from there.
      if (!kernelCopyUnsupported(errno)) raiseErrno(errno, target);
      kernel = false;
    }
    if (!buffer) buffer = std::make_unique<char[]>(kChunk);
    const ssize_t got = ::read(in, buffer.get(), kChunk);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, source);
    }
    writeAll(out, {buffer.get(), static_cast<std::size_t>(got)}, target);
    copied += static_cast<std::uint64_t>(got);
  }
  return copied;
}

// Where a copy goes: its folder, held open, and its name in it.
struct Place {
  std::string path;
  std::string name;
  int folder;
};

// True when the target's own entry (a link there is replaced by the copy, never
// followed) exists and may be replaced; raises when it must not be.
bool targetToReplace(const Place& place, const struct stat& source) {
  struct stat existing {};
  if (::fstatat(place.folder, place.name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT) raiseErrno(errno, place.path);
    return false;
  }
  // A target that is the source itself (the destination "/", say) is never touched: looked
  // at before anything else, so that no handling of a read-only target can reach it.
  if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino) {
    raise(Err::PathFileAccessError);
  }
  // A read-only target refuses the copy even for root, who could otherwise replace it.
  if (S_ISDIR(existing.st_mode) ||
      (!S_ISLNK(existing.st_mode) && (existing.st_mode & S_IWUSR) == 0)) {
    raise(Err::PathFileAccessError);
  }
  return true;
}

// The new content of a target while it is being written: an unnamed file in the
// target's folder where the file system offers one, else a locked one with a short hidden
// name. Either way the target's name is given to it, relative to its held folder, only
// once the content is complete, and an unfinished one leaves nothing behind.
class PendingCopy {
 public:
  // `mode`: the permissions the copy ends with. An unnamed file, which no other program
  // can open, is made with them where the folder keeps them as given; otherwise
  // setMode() sets them once the content is written.
  PendingCopy(const Place& place, bool replacing, mode_t mode, bool modeKept)
      : place_(place), mode_(mode), checked_(replacing) {
    if (procFdAvailable()) {
      // Unnamed, so no sweep can find it: it is locked only once it gets a temporary name.
      fd_.reset(::openat(place_.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC,
                         modeKept ? mode : mode_t{0600}));
      if (fd_.get() >= 0) {
        modeSet_ = modeKept;
        return;
      }
    }
    std::string name(kTemporaryMark);
    name += "XXXXXX";
    fd_ = createLockedTemporaryAt(place_.folder, name);
    if (fd_.get() < 0) raiseErrno(errno, place_.path);
    name_ = std::move(name);
  }
  ~PendingCopy() {
    if (!name_.empty()) ::unlinkat(place_.folder, name_.c_str(), 0);
  }
  PendingCopy(const PendingCopy&) = delete;
  PendingCopy& operator=(const PendingCopy&) = delete;

  int fd() const noexcept { return fd_.get(); }

  // Sets the permissions unless the file was made with them or its file system keeps none.
  void setMode(Faults& faults) {
    if (modeSet_) return;
    int err = faults.planned(FaultPoint::CopyAttributes, place_.path);
    if (err == 0 && ::fchmod(fd_.get(), mode_) != 0) err = errno;
    if (err != 0 && !attributesRefused(err)) raiseErrno(err, place_.path);
  }

  // Gives the complete content the target's name. `source`: what was copied, which a
  // target that appeared meanwhile must not be.
  void publish(const struct stat& source) {
    if (name_.empty()) {
      if (!checked_) {
        if (link(place_.name) == 0) {
          if (const int err = fd_.close(); err != 0) {
            ::unlinkat(place_.folder, place_.name.c_str(), 0);
            raiseErrno(err, place_.path);
          }
          return;
        }
        // The target appeared while the copy was written: replace it like an earlier copy,
        // on the same terms.
        if (errno != EEXIST) raiseErrno(errno, place_.path);
        targetToReplace(place_, source);
      }
      nameForReplace();
    } else if (!checked_) {
      targetToReplace(place_, source);
    }
    if (const int err = fd_.close(); err != 0) raiseErrno(err, place_.path);
    if (::renameat(place_.folder, name_.c_str(), place_.folder, place_.name.c_str()) != 0) {
      raiseErrno(errno, place_.path);
    }
    name_.clear();
  }

 private:
  static bool procFdAvailable() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
  }

  // Linking the descriptor itself needs a capability that ordinary users lack; the
  // descriptor's /proc entry works for everyone, at the cost of a path walk.
  int link(const std::string& name) const {
    static bool direct = true;
    if (direct) {
      if (::linkat(fd_.get(), "", place_.folder, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
      if (errno != ENOENT && errno != EPERM && errno != EINVAL) return -1;
      direct = false;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
    return ::linkat(AT_FDCWD, self.c_str(), place_.folder, name.c_str(), AT_SYMLINK_FOLLOW);
  }

  // A rename over the target needs a name: a short one, whatever the target's length.
  void nameForReplace() {
    // Locked before it gets a name, as every temporary file being written is.
    if (!lockTemporary(fd_.get())) raiseErrno(errno, place_.path);
    for (int attempt = 0; attempt < 8; ++attempt) {
      std::string name(kTemporaryMark);
      name += "XXXXXX";
      fillTemporarySuffix(name);
      if (link(name) == 0) {
        name_ = std::move(name);
        return;
      }
      if (errno != EEXIST) raiseErrno(errno, place_.path);
    }
    raise(Err::PathFileAccessError);
  }

  const Place& place_;
  mode_t mode_;
  bool checked_;  // the target was looked at before the copy
  bool modeSet_ = false;
  UniqueFd fd_;
  std::string name_;
};

}  // namespace

CopiedFile FileSystem::copyFile(const std::string& source, const std::string& target) {
  CopyFolder from;
  CopyFolder into;
  return copyFile(source, target, from, into);
}

CopiedFile FileSystem::copyFile(const std::string& source, const std::string& target,
                                CopyFolder& into) {
  CopyFolder from;
  return copyFile(source, target, from, into);
}

// A folder held from an earlier copy may have been removed since (and perhaps made again):
// the copy is then tried once more with the folders opened afresh.
CopiedFile FileSystem::copyFile(const std::string& source, const std::string& target,
                                CopyFolder& from, CopyFolder& into,
                                const ChunkDone& betweenChunks) {
  faults_.check(FaultPoint::Copy, source);
  const bool held = into.holds(folderPart(target)) || from.holds(folderPart(source));
  try {
    return copyInto(source, target, from, into, betweenChunks);
  } catch (const RuntimeError&) {
    // A folder adopted from the destination's walk is never opened again by its path: its
    // owner walks to it afresh.
    const bool intoGone = !into.adopted() && into.removed();
    if (!held || !(intoGone || from.removed())) throw;
    if (!into.adopted()) into.release();
    from.release();
    return copyInto(source, target, from, into, betweenChunks);
  }
}

CopiedFile FileSystem::copyInto(const std::string& source, const std::string& target,
                                CopyFolder& from, CopyFolder& into,
                                const ChunkDone& betweenChunks) {
  // Non-blocking, so that a named pipe given as a source fails instead of hanging.
  const UniqueFd in(::openat(from.open(folderPart(source), source),
                             std::string(namePart(source)).c_str(),
                             O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (in.get() < 0) raiseErrno(errno, source);
  CopiedFile result;
  struct stat& st = result.source;
  if (::fstat(in.get(), &st) != 0) raiseErrno(errno, source);
  if (S_ISDIR(st.st_mode)) raise(Err::PathFileAccessError);
  if (!S_ISREG(st.st_mode)) raise(Err::BadFileNameOrNumber);

  const Place place{target, std::string(namePart(target)), into.open(folderPart(target), target)};
  // A folder made empty a moment ago holds no target yet; should one appear meanwhile,
  // publishing finds it.
  const bool replacing = !into.madeEmpty() && targetToReplace(place, st);
  const mode_t mode = st.st_mode & 0777;
  PendingCopy out(place, replacing, mode, (mode & into.bitsTaken()) == 0);
  result.bytes = copyContent(faults_, in.get(), out.fd(), static_cast<std::uint64_t>(st.st_size),
                             source, target, betweenChunks, betweenChunksBytes_);
  out.setMode(faults_);
  const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  int err = faults_.planned(FaultPoint::CopyAttributes, target);
  if (err == 0 && ::futimens(out.fd(), times) != 0) err = errno;
  if (err != 0 && !attributesRefused(err)) raiseErrno(err, target);
  out.publish(st);
  noteCopy(into, result.bytes);
  return result;
}

void FileSystem::removeStaleCopies(const std::string& folder) {
  removeStaleTemporaries(folder, isCopyTemporary);
}

void FileSystem::removeStaleCopies(int folder) {
  removeStaleTemporariesAt(folder, isCopyTemporary);
}

}  // namespace ferrowick::runtime
