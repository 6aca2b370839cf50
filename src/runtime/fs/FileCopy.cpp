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
#include "runtime/fs/CopyFolder.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/fs/PathParts.h"
#include "runtime/fs/TemporaryFiles.h"

namespace ferrowick::runtime {

namespace {

// Large enough that the syscall count does not matter, small enough that a fault planned
// on the second chunk lands in the middle of a test file of a few MiB.
constexpr std::size_t kChunk = std::size_t{1} << 20;

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(Fd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int get() const noexcept { return fd_; }
  // Closes now and reports the close's own failure (delayed write errors surface here).
  int close() noexcept {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

constexpr std::string_view kTemporaryMark = ".ferrowick-";

std::string temporaryTemplate(const std::string& target) {
  const auto slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  // Hidden, so a destination inside a source folder never lists it as a file to copy.
  return folder + "." + name + std::string(kTemporaryMark) + "XXXXXX";
}

// ".<name>.ferrowick-XXXXXX", as temporaryTemplate makes them.
bool isCopyTemporary(std::string_view name) {
  constexpr std::size_t tail = kTemporaryMark.size() + 6;
  return name.size() > tail + 1 && name.front() == '.' &&
         name.substr(name.size() - tail, kTemporaryMark.size()) == kTemporaryMark &&
         endsInTemporarySuffix(name);
}

bool kernelCopyUnsupported(int err) {
  return err == EXDEV || err == ENOSYS || err == EINVAL || err == EOPNOTSUPP || err == EBADF;
}

void writeAll(int fd, const char* data, std::size_t size, const std::string& target) {
  for (std::size_t done = 0; done < size;) {
    const ssize_t put = ::write(fd, data + done, size - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, target);
    }
    done += static_cast<std::size_t>(put);
  }
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
    writeAll(out, buffer.get(), static_cast<std::size_t>(got), target);
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
  // A read-only target refuses the copy even for root, who could otherwise replace it.
  if (S_ISDIR(existing.st_mode) ||
      (!S_ISLNK(existing.st_mode) && (existing.st_mode & S_IWUSR) == 0)) {
    raise(Err::PathFileAccessError);
  }
  // A file copied onto itself would come back as a new file (links and archive state
  // lost) for nothing, and a copy must never touch its own source.
  if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino) {
    raise(Err::PermissionDenied);
  }
  return true;
}

// The new content of a target while it is being written: an unnamed file in the
// target's folder where the file system offers one, else a hidden named one. Either
// way the target's name is given to it only once the content is complete, and an
// unfinished one leaves nothing behind.
class PendingCopy {
 public:
  // `mode`: the permissions the copy ends with. An unnamed file, which no other program
  // can open, is made with them where the folder keeps them as given; otherwise
  // setMode() sets them once the content is written.
  PendingCopy(const Place& place, bool replacing, mode_t mode, bool modeKept)
      : place_(place), mode_(mode), checked_(replacing) {
    // Replacing needs a rename, and a rename needs a name.
    if (!replacing && procFdAvailable()) {
      // Unnamed, so no sweep can find it: it is locked only if it ever gets a temporary name.
      fd_ = Fd(::openat(place_.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC,
                        modeKept ? mode : mode_t{0600}));
      if (fd_.get() >= 0) {
        modeSet_ = modeKept;
        return;
      }
    }
    fd_ = Fd(makeNamed(name_));
    if (fd_.get() < 0) raiseErrno(errno, place_.path);
  }
  ~PendingCopy() {
    if (!name_.empty()) ::unlink(name_.c_str());
  }
  PendingCopy(const PendingCopy&) = delete;
  PendingCopy& operator=(const PendingCopy&) = delete;

  int fd() const noexcept { return fd_.get(); }

  // Sets the permissions unless the file was made with them.
  void setMode() {
    if (!modeSet_ && ::fchmod(fd_.get(), mode_) != 0) raiseErrno(errno, place_.path);
  }

  // Gives the complete content the target's name. `source`: what was copied, which a
  // target that appeared meanwhile must not be.
  void publish(const struct stat& source) {
    if (name_.empty()) {
      if (link(place_.folder, place_.name) == 0) {
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
      nameForReplace();
    } else if (!checked_) {
      targetToReplace(place_, source);
    }
    if (const int err = fd_.close(); err != 0) raiseErrno(err, place_.path);
    if (::rename(name_.c_str(), place_.path.c_str()) != 0) raiseErrno(errno, place_.path);
    name_.clear();
  }

 private:
  static bool procFdAvailable() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
  }

  int makeNamed(std::string& name) const {
    std::string pattern = temporaryTemplate(place_.path);
    const int fd = createLockedTemporary(pattern);
    if (fd >= 0) name = std::move(pattern);
    return fd;
  }

  // Linking the descriptor itself needs a capability that ordinary users lack; the
  // descriptor's /proc entry works for everyone, at the cost of a path walk.
  int link(int folder, const std::string& name) const {
    static bool direct = true;
    if (direct) {
      if (::linkat(fd_.get(), "", folder, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
      if (errno != ENOENT && errno != EPERM && errno != EINVAL) return -1;
      direct = false;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
    return ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW);
  }

  void nameForReplace() {
    // Locked before it gets a name, as every temporary file being written is.
    if (!lockTemporary(fd_.get())) raiseErrno(errno, place_.path);
    for (int attempt = 0; attempt < 8; ++attempt) {
      std::string reserved;
      const Fd probe(makeNamed(reserved));
      if (probe.get() < 0) raiseErrno(errno, place_.path);
      ::unlink(reserved.c_str());
      if (link(AT_FDCWD, reserved) == 0) {
        name_ = std::move(reserved);
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
  Fd fd_;
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
    if (!held || !(into.removed() || from.removed())) throw;
    into.release();
    from.release();
    return copyInto(source, target, from, into, betweenChunks);
  }
}

CopiedFile FileSystem::copyInto(const std::string& source, const std::string& target,
                                CopyFolder& from, CopyFolder& into,
                                const ChunkDone& betweenChunks) {
  // Non-blocking, so that a named pipe given as a source fails instead of hanging.
  Fd in(::openat(from.open(folderPart(source), source), std::string(namePart(source)).c_str(),
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
  out.setMode();
  const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  if (::futimens(out.fd(), times) != 0) raiseErrno(errno, target);
  out.publish(st);
  if (batching_) noteCopy(into);
  return result;
}

void FileSystem::removeStaleCopies(const std::string& folder) {
  removeStaleTemporaries(folder, isCopyTemporary);
}

}  // namespace ferrowick::runtime
