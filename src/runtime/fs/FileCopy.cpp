#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"

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

// Removes the file being written unless the copy completed.
class PartialFile {
 public:
  explicit PartialFile(std::string path) : path_(std::move(path)) {}
  ~PartialFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;
  void release() noexcept { path_.clear(); }

 private:
  std::string path_;
};

std::string temporaryTemplate(const std::string& target) {
  const auto slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  // Hidden, so a destination inside a source folder never lists it as a file to copy.
  return folder + "." + name + ".ferrowick-XXXXXX";
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
                          const std::string& source, const std::string& target) {
  std::uint64_t copied = 0;
  bool kernel = true;
  std::unique_ptr<char[]> buffer;
  while (length == 0 || copied < length) {
    faults.check("copy.write", target);
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

}  // namespace

std::uint64_t FileSystem::copyFile(const std::string& source, const std::string& target) {
  faults_.check("copy", source);

  // Non-blocking, so that a named pipe given as a source fails instead of hanging.
  Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (in.get() < 0) raiseErrno(errno, source);
  struct stat st {};
  if (::fstat(in.get(), &st) != 0) raiseErrno(errno, source);
  if (S_ISDIR(st.st_mode)) raise(Err::PathFileAccessError);
  if (!S_ISREG(st.st_mode)) raise(Err::BadFileNameOrNumber);

  // A first copy is written in place: there is no earlier copy to keep, and a failure
  // removes what was written. An earlier copy is replaced only by a complete new one.
  std::string written = target;
  Fd out(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  const bool replacing = out.get() < 0;
  if (replacing) {
    if (errno != EEXIST) raiseErrno(errno, target);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
      // A read-only target refuses the copy even for root, who could otherwise replace it.
      if (S_ISDIR(existing.st_mode) || (existing.st_mode & S_IWUSR) == 0) {
        raise(Err::PathFileAccessError);
      }
      // A file copied onto itself would come back as a new file (links and archive state
      // lost) for nothing; the system the program was made for refuses it as well.
      if (existing.st_dev == st.st_dev && existing.st_ino == st.st_ino) {
        raise(Err::PermissionDenied);
      }
    }
    written = temporaryTemplate(target);
    out = Fd(::mkostemp(written.data(), O_CLOEXEC));
    if (out.get() < 0) raiseErrno(errno, target);
  }
  PartialFile partial(written);

  const std::uint64_t copied = copyContent(faults_, in.get(), out.get(),
                                           static_cast<std::uint64_t>(st.st_size), source, target);
  if (::fchmod(out.get(), st.st_mode & 0777) != 0) raiseErrno(errno, target);
  const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  if (::futimens(out.get(), times) != 0) raiseErrno(errno, target);
  if (const int err = out.close(); err != 0) raiseErrno(err, target);
  if (replacing && ::rename(written.c_str(), target.c_str()) != 0) raiseErrno(errno, target);
  partial.release();
  return copied;
}

}  // namespace ferrowick::runtime
