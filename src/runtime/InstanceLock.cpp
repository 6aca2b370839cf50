#include "runtime/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/XdgDirs.h"

namespace ferrowick::runtime {

InstanceLock::InstanceLock(const std::filesystem::path& folder, const std::string& name) {
  const std::filesystem::path path = folder / name;
  // No link following: in a shared folder someone else could plant one.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    fd_ = fd;
    return;
  }
  previousInstance_ = errno == EWOULDBLOCK;
  ::close(fd);
}

InstanceLock InstanceLock::forProgram(const std::string& title) {
  std::error_code ec;
  if (const auto dir = runtimeDir(); !dir.empty() && std::filesystem::is_directory(dir, ec))
    return InstanceLock(dir, title + ".lock");
  auto temp = std::filesystem::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  return InstanceLock(temp, title + "-" + std::to_string(::getuid()) + ".lock");
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : fd_(other.fd_), previousInstance_(other.previousInstance_) {
  other.fd_ = -1;
}

}  // namespace ferrowick::runtime
