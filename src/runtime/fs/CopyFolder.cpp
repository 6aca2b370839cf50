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
  drop();
  parentFd_.reset();
  parentPath_.clear();
  parentTried_ = false;
}

void CopyFolder::drop() noexcept {
  fd_.reset();
  path_.clear();
  deviceKnown_ = false;
  made_.clear();
  madeEmpty_ = false;
  adopted_ = false;
  bitsKnown_ = false;
  unchangedAtCopy_ = 0;
}

bool CopyFolder::holdsAdopted(std::string_view folderPath) const {
  if (folderPath.size() > 1 && folderPath.back() == '/') folderPath.remove_suffix(1);
  return adopted_ && holds(folderPath);
}

void CopyFolder::adopt(std::string_view folderPath, UniqueFd fd, bool madeEmpty) {
  drop();
  if (folderPath.size() > 1 && folderPath.back() == '/') folderPath.remove_suffix(1);
  path_ = folderPath;
  fd_ = std::move(fd);
  madeEmpty_ = madeEmpty;
  adopted_ = true;
}

void CopyFolder::madeJustNow(std::string_view folderPath) {
  drop();
  // Held as a copy's target names it, without a separator at the end.
  if (folderPath.size() > 1 && folderPath.back() == '/') folderPath.remove_suffix(1);
  made_ = folderPath;
}

int CopyFolder::open(std::string_view folderPath, const std::string& target) {
  if (holds(folderPath)) return fd_.get();
  if (adopted_) raise(Err::PathNotFound);
  const std::string made = std::move(made_);
  drop();
  path_ = folderPath;
  UniqueFd fd = openByPath();
  if (!fd) {
    const int err = errno;
    path_.clear();
    raiseErrno(err, target);
  }
  fd_ = std::move(fd);
  madeEmpty_ = path_ == made;
  return fd_.get();
}

// A parent removed (and perhaps made again) since it was opened no longer finds the name:
// the whole path is walked then.
UniqueFd CopyFolder::openByPath() {
  constexpr int kFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
  const auto slash = path_.rfind('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 == path_.size()) {
    return UniqueFd(::open(path_.c_str(), kFlags));
  }
  const std::string_view parent(path_.data(), slash);
  if (parent != parentPath_) {
    parentFd_.reset();
    parentPath_ = parent;
    parentTried_ = false;
    return UniqueFd(::open(path_.c_str(), kFlags));
  }
  if (!parentFd_ && !parentTried_) {
    parentTried_ = true;
    parentFd_.reset(::open(parentPath_.c_str(), kFlags));
  }
  if (parentFd_) {
    UniqueFd fd(::openat(parentFd_.get(), path_.c_str() + slash + 1, kFlags));
    if (fd || errno != ENOENT) return fd;
    parentFd_.reset();
    parentTried_ = false;
  }
  return UniqueFd(::open(path_.c_str(), kFlags));
}

bool CopyFolder::removed() const {
  struct stat st {};
  return fd_ && (::fstat(fd_.get(), &st) != 0 || st.st_nlink == 0);
}

dev_t CopyFolder::device() {
  if (!deviceKnown_) {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0) raiseErrno(errno, path_);
    device_ = st.st_dev;
    deviceKnown_ = true;
  }
  return device_;
}

namespace {
bool hasDefaultList(const std::string& folder) {
  return ::getxattr(folder.c_str(), "system.posix_acl_default", nullptr, 0) >= 0 ||
         (errno != ENODATA && errno != ENOTSUP);
}
}  // namespace

mode_t CopyFolder::bitsTaken() {
  if (bitsKnown_) return bitsTaken_;
  if (!maskKnown_) {
    // Set to a tighter mask for a moment: a file another thread makes meanwhile is never
    // more open than it asked for.
    mask_ = ::umask(077);
    ::umask(mask_);
    maskKnown_ = true;
  }
  bool defaultList = false;
  const auto slash = path_.rfind('/');
  if (madeEmpty_ && slash != std::string::npos && slash > 0) {
    // Siblings made one after another share their parent: one look serves them all.
    const std::string_view parent(path_.data(), slash);
    if (parent != listParent_) {
      listParent_ = parent;
      parentListed_ = hasDefaultList(listParent_);
    }
    defaultList = parentListed_;
  } else {
    defaultList = hasDefaultList(path_);
  }
  bitsTaken_ = defaultList ? mode_t{0777} : mask_;
  bitsKnown_ = true;
  return bitsTaken_;
}

}  // namespace ferrowick::runtime
