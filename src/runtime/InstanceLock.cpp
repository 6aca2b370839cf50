#include "runtime/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "runtime/XdgDirs.h"

namespace ferrowick::runtime {

InstanceLock::InstanceLock(const std::filesystem::path& folder, const std::string& name) {
  const std::filesystem::path path = folder / name;
  // No link following: in a shared folder someone else could plant one.
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!fd) return;
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
    fd_ = std::move(fd);
    return;
  }
  previousInstance_ = errno == EWOULDBLOCK;
}

InstanceLock InstanceLock::forProgram(const std::string& title) {
  std::error_code ec;
  if (const auto dir = runtimeDir(); !dir.empty() && std::filesystem::is_directory(dir, ec))
    return InstanceLock(dir, title + ".lock");
  auto temp = std::filesystem::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  return InstanceLock(temp, title + "-" + std::to_string(::getuid()) + ".lock");
}

InstanceLock::~InstanceLock() = default;

InstanceLock::InstanceLock(InstanceLock&& other) noexcept = default;

}  // namespace ferrowick::runtime
