#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <memory>
#include <string>

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
  Fd& operator=(const Fd&) = delete;
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

// Removes the temporary file unless the copy got as far as renaming it.
class TempFile {
 public:
  explicit TempFile(std::string path) : path_(std::move(path)) {}
  ~TempFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const noexcept { return path_; }
  void release() noexcept { path_.clear(); }

 private:
  std::string path_;
};

std::string temporaryTemplate(const std::string& target) {
  const auto slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  // Hidden, so a destination inside a source folder never lists it as a file to copy.
  return folder + "." + name + ".ferrowick-XXXXXX";
}

bool kernelCopyUnsupported(int err) {
  return err == EXDEV || err == ENOSYS || err == EINVAL || err == EOPNOTSUPP || err == EBADF;
}

}  // namespace

void FileSystem::copyFile(const std::string& source, const std::string& target) {
  faults_.check("copy", source);

  // A read-only target refuses the copy even for root, who could otherwise replace it.
  struct stat existing{};
  if (::stat(target.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode) || (existing.st_mode & S_IWUSR) == 0) {
      raise(Err::PathFileAccessError);
    }
  }

  // Non-blocking, so that a named pipe given as a source fails instead of hanging.
  Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (in.get() < 0) raiseErrno(errno, source);
  struct stat st{};
  if (::fstat(in.get(), &st) != 0) raiseErrno(errno, source);
  if (S_ISDIR(st.st_mode)) raise(Err::PathFileAccessError);
  if (!S_ISREG(st.st_mode)) raise(Err::BadFileNameOrNumber);

  std::string name = temporaryTemplate(target);
  Fd out(::mkostemp(name.data(), O_CLOEXEC));
  if (out.get() < 0) raiseErrno(errno, target);
  TempFile temp(name);

  bool kernel = true;
  std::unique_ptr<char[]> buffer;
  for (;;) {
    faults_.check("copy.write", target);
    if (kernel) {
      const ssize_t n = ::copy_file_range(in.get(), nullptr, out.get(), nullptr, kChunk, 0);
      if (n > 0) continue;
      if (n == 0) break;
      if (errno == EINTR) continue;
      // Both offsets have moved past whatever was copied, so the loop below goes on from there.
      if (!kernelCopyUnsupported(errno)) raiseErrno(errno, target);
      kernel = false;
    }
    if (!buffer) {
      buffer = std::make_unique<char[]>(kChunk);
    }
    const ssize_t got = ::read(in.get(), buffer.get(), kChunk);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, source);
    }
    const std::size_t size = static_cast<std::size_t>(got);
    for (std::size_t done = 0; done < size;) {
      const ssize_t put = ::write(out.get(), buffer.get() + done, size - done);
      if (put < 0) {
        if (errno == EINTR) continue;
        raiseErrno(errno, target);
      }
      done += static_cast<std::size_t>(put);
    }
  }

  if (::fchmod(out.get(), st.st_mode & 0777) != 0) raiseErrno(errno, target);
  const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  if (::futimens(out.get(), times) != 0) raiseErrno(errno, target);
  if (const int err = out.close(); err != 0) raiseErrno(err, target);
  if (::rename(temp.path().c_str(), target.c_str()) != 0) raiseErrno(errno, target);
  temp.release();
}

}  // namespace ferrowick::runtime
