#include "support/Sandbox.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ferrowick::testing {

namespace fs = std::filesystem;

namespace {
fs::path& current() {
  static fs::path root;
  return root;
}
}  // namespace

void Sandbox::enter() {
  std::string pattern = (fs::temp_directory_path() / "ferrowick-test-XXXXXX");
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  current() = pattern;
  for (const auto& [variable, folder] : {std::pair{"HOME", "home"},
                                         {"XDG_DATA_HOME", "home/.local/share"},
                                         {"XDG_CONFIG_HOME", "home/.config"},
                                         {"XDG_CACHE_HOME", "home/.cache"},
                                         {"XDG_STATE_HOME", "home/.local/state"},
                                         {"XDG_RUNTIME_DIR", "run"}}) {
    const fs::path path = current() / folder;
    fs::create_directories(path);
    fs::permissions(path, fs::perms::owner_all);
    ::setenv(variable, path.c_str(), 1);
  }
}

void Sandbox::leave() {
  std::error_code ec;
  // Tests make read-only files and folders; give the owner write access back first.
  for (auto it = fs::recursive_directory_iterator(current(), ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all,
                    fs::perm_options::add | fs::perm_options::nofollow, ec);
  }
  fs::remove_all(current(), ec);
  current().clear();
}

const fs::path& Sandbox::root() { return current(); }

void writeFile(const fs::path& path, const std::string& bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!(out << bytes)) throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace ferrowick::testing
