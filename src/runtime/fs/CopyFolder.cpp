#include "runtime/fs/CopyFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

void CopyFolder::release() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  path_.clear();
  deviceKnown_ = false;
}

int CopyFolder::open(std::string_view folderPath, const std::string& target) {
  if (holds(folderPath)) return fd_;
  release();
  path_ = folderPath;
  const int fd = ::open(path_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    path_.clear();
    raiseErrno(err, target);
  }
  fd_ = fd;
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

}  // namespace ferrowick::runtime
