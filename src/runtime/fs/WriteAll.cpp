#include "runtime/fs/WriteAll.h"

#include <unistd.h>

#include <cerrno>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

void writeAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, path);
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

}  // namespace ferrowick::runtime
