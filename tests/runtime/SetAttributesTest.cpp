#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::Sandbox;
using testing::writeFile;

int errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

class SetAttributesTest : public ::testing::Test {
 protected:
  fs::path root = Sandbox::root();
  FileSystem files{root / "archive.db"};
  std::string file = root / "data/a.txt";
  void SetUp() override { writeFile(file, "abc"); }
};

TEST_F(SetAttributesTest, ReadOnlyClearsEveryWriteBitAndClearingGivesTheOwnerWriteBack) {
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::group_write | fs::perms::others_write);
  files.setAttributes(file, Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(files.getAttributes(file), Attr::ReadOnly | Attr::Archive);

  files.setAttributes(file, Attr::Archive);
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SetAttributesTest, ArchiveBitFollowsTheFileUntilItChanges) {
  ASSERT_EQ(files.getAttributes(file), Attr::Archive);
  files.setAttributes(file, 0);
  EXPECT_EQ(files.getAttributes(file), 0u);

  writeFile(file, "changed");
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);

  files.setAttributes(file, 0);
  files.setAttributes(file, Attr::Archive);
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);
}

TEST_F(SetAttributesTest, InvalidWordsAndMissingFilesAreRefused) {
  EXPECT_EQ(errorOf([&] { files.setAttributes(file, -31); }), Err::InvalidProcedureCall);
  EXPECT_EQ(errorOf([&] { files.setAttributes(file, Attr::Directory); }),
            Err::InvalidProcedureCall);
  EXPECT_EQ(errorOf([&] { files.setAttributes(file, 64); }), Err::InvalidProcedureCall);
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);
  EXPECT_EQ(errorOf([&] { files.setAttributes(root / "data/gone", 0); }), Err::FileNotFound);
  EXPECT_EQ(errorOf([&] { files.setAttributes(root / "nowhere/gone", 0); }), Err::PathNotFound);
}

TEST_F(SetAttributesTest, FolderTakesReadOnlyButNeverTheArchiveBit) {
  const std::string folder = root / "data";
  files.setAttributes(folder, Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(files.getAttributes(folder), Attr::Directory | Attr::ReadOnly);
  files.setAttributes(folder, 0);
  EXPECT_EQ(files.getAttributes(folder), Attr::Directory);
}

}  // namespace
}  // namespace ferrowick::runtime
