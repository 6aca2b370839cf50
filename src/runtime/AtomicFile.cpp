#include "runtime/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

namespace {

// Removes the temporary file unless the rename has taken it over.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int create() {
    fd_ = ::mkstemp(path_.data());
    if (fd_ < 0) {
      const int err = errno;
      path_.clear();
      return err;
    }
    return 0;
  }
  int closeFile() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }
  void release() { path_.clear(); }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
};

void syncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void replaceFile(const std::filesystem::path& path, std::string_view bytes, mode_t mode,
                 Faults* faults) {
  const std::filesystem::path folder = path.parent_path();
  TemporaryFile temp((folder / ("." + path.filename().string() + ".XXXXXX")).string());
  if (const int err = temp.create(); err != 0) raiseErrno(err, path);

  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(temp.fd(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, path);
    }
    written += static_cast<std::size_t>(n);
  }
  if (::fchmod(temp.fd(), mode) != 0 || ::fsync(temp.fd()) != 0) raiseErrno(errno, path);
  if (temp.closeFile() != 0) raiseErrno(errno, path);
  if (faults != nullptr) faults->check("replaceFile", path.string());
  if (::rename(temp.path().c_str(), path.c_str()) != 0) raiseErrno(errno, path);
  temp.release();
  syncFolder(folder);
}

}  // namespace ferrowick::runtime
