#include "runtime/ComputerName.h"

#include <unistd.h>

#include <array>

namespace ferrowick::runtime {

std::string computerName() {
  std::array<char, 256> buffer{};
  if (::gethostname(buffer.data(), buffer.size() - 1) != 0) return {};
  // Cut at the first NUL: a name that filled the buffer is still terminated.
  return std::string(buffer.data());
}

}  // namespace ferrowick::runtime
