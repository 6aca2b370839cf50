#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The entry point every harness defines: libFuzzer calls it, and so does the corpus runner
// that the ordinary build makes of each harness.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace ferrowick::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A property the parser promises: when it does not hold, the input is a finding.
void check(bool holds, const char* what);

// A folder of this process's own below the temporary folder, removed when it ends.
const std::filesystem::path& scratchFolder();

// Writes `bytes` to `name` in the scratch folder and gives its path.
std::filesystem::path writeScratch(const std::string& name, std::string_view bytes);

}  // namespace ferrowick::fuzz
