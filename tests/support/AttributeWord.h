#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "runtime/fs/FileSystem.h"

namespace ferrowick::testing {

// Gives a file not backed up yet the attribute word `word` the way the program's own
// operations would: the archive cleared as a copy clears it, read-only as every write bit
// taken away.
inline void setAttributeWord(runtime::FileSystem& files, const std::string& path, unsigned word) {
  if ((word & runtime::Attr::Archive) == 0) {
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;
    files.clearArchive(path, st);
  }
  if ((word & runtime::Attr::ReadOnly) != 0) {
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }
}

}  // namespace ferrowick::testing
