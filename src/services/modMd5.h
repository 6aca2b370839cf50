#pragma once

#include <cstddef>
#include <string>

namespace ferrowick::runtime {
class Faults;
}

namespace ferrowick::services::modMd5 {

// The file is read and hashed this many bytes at a time: memory stays bounded whatever
// the file's size.
inline constexpr std::size_t kBlockSize = std::size_t{1} << 20;

// The MD5 of the whole content of the ordinary file at `path`, as 32 lower-case hex
// digits; an empty file has the MD5 of no bytes. The empty string when the file cannot
// be opened or read, or is no ordinary file (a folder, a pipe that would block, a
// device). `faults` lets tests make "open" or "read" (checked per block) fail.
std::string FileMD5(const std::string& path, runtime::Faults* faults = nullptr);

}  // namespace ferrowick::services::modMd5
