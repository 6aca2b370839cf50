#include <gtest/gtest.h>

#include "TestChecks.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using perms = fs::perms;

TEST(SetAttributes, ReadOnlyClearsEveryWriteBitAndAFolderTakesNeitherArchiveNorReadOnly) {
  FileSystem files{testing::Sandbox::root() / "archive.db"};
  const std::string folder = testing::Sandbox::root() / "data";
  const std::string file = folder + "/a.txt";
  testing::writeFile(file, "abc");
  fs::permissions(file, perms::owner_read | perms::owner_write | perms::group_read |
                            perms::group_write | perms::others_write);
  files.setAttributes(file, Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(fs::status(file).permissions(), perms::owner_read | perms::group_read);
  files.setAttributes(file, Attr::Archive);
  EXPECT_EQ(fs::status(file).permissions(),
            perms::owner_read | perms::owner_write | perms::group_read);
  const perms before = fs::status(folder).permissions();
  files.setAttributes(folder, Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(fs::status(folder).permissions(), before);
  fs::permissions(folder, perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(files.getAttributes(folder), Attr::Directory);
  EXPECT_EQ(testing::raisedError([&] { files.setAttributes(file, Attr::Directory); }),
            Err::InvalidProcedureCall);
}

}  // namespace
}  // namespace ferrowick::runtime
