#include <gtest/gtest.h>

#include <filesystem>

#include "TestChecks.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using perms = fs::perms;

class SetAttributesTest : public ::testing::Test {
 protected:
  fs::path root = testing::Sandbox::root();
  FileSystem files{root / "archive.db"};
  std::string folder = root / "data";
  std::string file = root / "data/a.txt";
  void SetUp() override { testing::writeFile(file, "abc"); }
};

TEST_F(SetAttributesTest, ReadOnlyClearsEveryWriteBitAndClearingGivesTheOwnerWriteBack) {
  fs::permissions(file, perms::owner_read | perms::owner_write | perms::group_read |
                            perms::group_write | perms::others_write);
  files.setAttributes(file, Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(fs::status(file).permissions(), perms::owner_read | perms::group_read);
  files.setAttributes(file, Attr::Archive);
  EXPECT_EQ(fs::status(file).permissions(),
            perms::owner_read | perms::owner_write | perms::group_read);

  // A folder takes read-only but never the archive attribute.
  files.setAttributes(folder, Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(files.getAttributes(folder), Attr::Directory | Attr::ReadOnly);
  files.setAttributes(folder, 0);
  EXPECT_EQ(files.getAttributes(folder), Attr::Directory);
}

TEST_F(SetAttributesTest, ArchiveBitStaysClearedUntilTheFileChanges) {
  ASSERT_EQ(files.getAttributes(file), Attr::Archive);
  files.setAttributes(file, 0);
  EXPECT_EQ(files.getAttributes(file), 0u);
  testing::writeFile(file, "changed");
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);

  files.setAttributes(file, Attr::Hidden);  // a word may carry what cannot be changed
  files.setAttributes(file, Attr::Archive);
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);
}

TEST_F(SetAttributesTest, InvalidWordsAndMissingFilesAreRefused) {
  const auto set = [&](const std::string& path, long word) {
    return testing::errorOf([&] { files.setAttributes(path, word); });
  };
  EXPECT_EQ(set(file, -31), Err::InvalidProcedureCall);
  EXPECT_EQ(set(file, Attr::Directory), Err::InvalidProcedureCall);
  EXPECT_EQ(set(file, 64), Err::InvalidProcedureCall);
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);
  EXPECT_EQ(set(root / "data/gone", 0), Err::FileNotFound);
  EXPECT_EQ(set(root / "nowhere/gone", 0), Err::PathNotFound);
}

}  // namespace
}  // namespace ferrowick::runtime
