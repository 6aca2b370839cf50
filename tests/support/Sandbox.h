#pragma once

#include <filesystem>
#include <string>

namespace ferrowick::testing {

// Every test runs with HOME and the XDG folders in a fresh temporary folder of its own,
// removed when the test ends; nothing touches the real home folder.
class Sandbox {
 public:
  static void enter();
  static void leave();
  static const std::filesystem::path& root();
};

// Writes `bytes` to `path`, creating the parent folders.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

}  // namespace ferrowick::testing
