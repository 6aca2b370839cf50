#pragma once

#include <filesystem>
#include <string>

// Which file system a benchmark's files are on: its figures mean little without it.
namespace ferrowick::bench {

// The file system `path` is on, as its kind and, for ext4, whether it has a journal.
std::string fileSystemOf(const std::filesystem::path& path);
// Prints it, so that every figure can be read with it, and a warning where disk figures
// would mislead.
void printFileSystem(const std::filesystem::path& path);

}  // namespace ferrowick::bench
