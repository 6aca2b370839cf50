#include "runtime/fs/CopyFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

void CopyFolder::release() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  path_.clear();
  deviceKnown_ = false;
  made_.clear();
  madeEmpty_ = false;
  bitsKnown_ = false;
}

void CopyFolder::madeJustNow(std::string_view folderPath) {
  release();
  // Held as a copy's target names it, without a separator at the end.
  if (folderPath.size() > 1 && folderPath.back() == '/') folderPath.remove_suffix(1);
  made_ = folderPath;
}

int CopyFolder::open(std::string_view folderPath, const std::string& target) {
  if (holds(folderPath)) return fd_;
  const std::string made = std::move(made_);
  release();
  path_ = folderPath;
  const int fd = ::open(path_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    path_.clear();
    raiseErrno(err, target);
  }
  fd_ = fd;
  madeEmpty_ = path_ == made;
  return fd_;
}

bool CopyFolder::removed() const {
  struct stat st {};
  return fd_ >= 0 && (::fstat(fd_, &st) != 0 || st.st_nlink == 0);
}

dev_t CopyFolder::device() {
  if (!deviceKnown_) {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) raiseErrno(errno, path_);
    device_ = st.st_dev;
    deviceKnown_ = true;
  }
  return device_;
}

mode_t CopyFolder::bitsTaken() {
  if (!bitsKnown_) {
    // Set to a tighter mask for a moment: a file another thread makes meanwhile is never
    // more open than it asked for.
    const mode_t mask = ::umask(077);
    ::umask(mask);
    const bool defaultList =
        ::getxattr(path_.c_str(), "system.posix_acl_default", nullptr, 0) >= 0 ||
        (errno != ENODATA && errno != ENOTSUP);
    bitsTaken_ = defaultList ? mode_t{0777} : mask;
    bitsKnown_ = true;
  }
  return bitsTaken_;
}

}  // namespace ferrowick::runtime
