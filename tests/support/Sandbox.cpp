#include "support/Sandbox.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ferrowick::testing {

namespace {
std::filesystem::path& current() {
  static std::filesystem::path root;
  return root;
}

void setDir(const char* variable, const std::filesystem::path& path) {
  std::filesystem::create_directories(path);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  ::setenv(variable, path.c_str(), 1);
}
}  // namespace

void Sandbox::enter() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ferrowick-test-XXXXXX");
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  current() = pattern;
  const auto& root = current();
  setDir("HOME", root / "home");
  setDir("XDG_DATA_HOME", root / "home/.local/share");
  setDir("XDG_CONFIG_HOME", root / "home/.config");
  setDir("XDG_CACHE_HOME", root / "home/.cache");
  setDir("XDG_STATE_HOME", root / "home/.local/state");
  setDir("XDG_RUNTIME_DIR", root / "run");
}

void Sandbox::leave() {
  std::error_code ec;
  // Tests make read-only files and folders; give the owner write access back first.
  for (auto it = std::filesystem::recursive_directory_iterator(current(), ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(
        it->path(), std::filesystem::perms::owner_all,
        std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow, ec);
  }
  std::filesystem::remove_all(current(), ec);
  current().clear();
}

const std::filesystem::path& Sandbox::root() { return current(); }

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace ferrowick::testing
