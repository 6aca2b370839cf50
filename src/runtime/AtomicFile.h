#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string_view>

#include "runtime/Faults.h"

namespace ferrowick::runtime {

// Gives the file its new content as a whole: the bytes go to a hidden temporary file
// beside it, which is then renamed over it. A failure leaves the earlier file untouched
// and no temporary file behind. The folder must exist. Raises the runtime's error;
// ReplaceFile is checked once the temporary file is written, before the rename.
void replaceFile(const std::filesystem::path& path, std::string_view bytes, mode_t mode,
                 Faults* faults = nullptr);

}  // namespace ferrowick::runtime
