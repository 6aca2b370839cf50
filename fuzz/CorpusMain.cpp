// Without libFuzzer, a harness is a program that feeds every file it is given, or every
// file in the folders it is given, to the harness's entry point once.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace {
int feed(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return 1;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return 0;
}
}  // namespace

int main(int argc, char* argv[]) {
  int failed = 0;
  int fed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path given(argv[i]);
    if (std::filesystem::is_directory(given)) {
      for (const auto& entry : std::filesystem::directory_iterator(given)) {
        if (!entry.is_regular_file()) continue;
        failed += feed(entry.path());
        ++fed;
      }
    } else {
      failed += feed(given);
      ++fed;
    }
  }
  std::printf("%d inputs\n", fed);
  return failed == 0 && fed > 0 ? 0 : 1;
}
