#pragma once

#include <filesystem>
#include <string_view>

namespace ferrowick::runtime {

// Writes the whole of `bytes` to `fd`, however many writes that takes. Raises the runtime's
// error, naming `path`, when a write fails.
void writeAll(int fd, std::string_view bytes, const std::filesystem::path& path);

}  // namespace ferrowick::runtime
