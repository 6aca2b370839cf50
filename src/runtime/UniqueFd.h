#pragma once

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace ferrowick::runtime {

// The one owner of an open file descriptor: closed when it goes, unless released.
class UniqueFd {
 public:
  UniqueFd() noexcept = default;
  explicit UniqueFd(int fd) noexcept : fd_(fd) {}
  ~UniqueFd() { reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const noexcept { return fd_; }
  bool valid() const noexcept { return fd_ >= 0; }
  explicit operator bool() const noexcept { return valid(); }

  // Hands the descriptor over to the caller, who closes it.
  [[nodiscard]] int release() noexcept { return std::exchange(fd_, -1); }

  // Closes the descriptor held (its close's failure, if any, is not asked for) and holds `fd`.
  void reset(int fd = -1) noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

  // Closes now and answers the close's own error, or 0: a write the kernel delayed can
  // fail only here. The descriptor is let go of either way.
  int close() noexcept {
    if (fd_ < 0) return 0;
    const int result = ::close(std::exchange(fd_, -1));
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_ = -1;
};

}  // namespace ferrowick::runtime
