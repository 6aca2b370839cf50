#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace ferrowick::fuzz {

namespace {
struct Scratch {
  std::filesystem::path folder;
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ferrowick-fuzz-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    folder = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};
}  // namespace

void check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

const std::filesystem::path& scratchFolder() {
  static const Scratch scratch;
  return scratch.folder;
}

std::filesystem::path writeScratch(const std::string& name, std::string_view bytes) {
  const std::filesystem::path path = scratchFolder() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  check(static_cast<bool>(out.flush()), "the scratch file is written");
  return path;
}

}  // namespace ferrowick::fuzz
