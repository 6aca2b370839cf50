#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <chrono>

#include "TestChecks.h"
#include "runtime/fs/CopyFolder.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

std::string pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 4096) & 0xff);
  return bytes;
}

class FileCopyTest : public ::testing::Test {
 protected:
  int copyError(const fs::path& from, const fs::path& to) {
    return testing::raisedError([&] { files.copyFile(from, to); });
  }

  void SetUp() override { writeFile(root / "a", bytes); }

  fs::path root = testing::Sandbox::root();
  FileSystem files{root / "archive.db"};
  const std::string bytes = pattern((std::size_t{3} << 20) + 123);
};

TEST_F(FileCopyTest, CopyCarriesContentPermissionsAndModificationTime) {
  fs::permissions(root / "a", fs::perms{0640});
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(50);
  fs::last_write_time(root / "a", stamp);
  writeFile(root / "dst/a.bin", "older copy");
  EXPECT_EQ(files.copyFile(root / "a", root / "dst/a.bin").bytes, bytes.size());
  EXPECT_EQ(readFile(root / "dst/a.bin"), bytes);
  EXPECT_EQ(fs::status(root / "dst/a.bin").permissions(), fs::status(root / "a").permissions());
  EXPECT_EQ(fs::last_write_time(root / "dst/a.bin"), stamp);
  EXPECT_EQ(testing::entriesIn(root / "dst"), 1);  // no temporary file stays
}

TEST_F(FileCopyTest, FailedOrRefusedCopyLeavesNothingNew) {
  fs::create_directory(root / "dst");
  // The first chunk goes through, the second finds the disk full.
  files.faults().inject(FaultPoint::CopyWrite, Err::DiskFull, "dst/first", 1, 1);
  EXPECT_EQ(copyError(root / "a", root / "dst/first"), Err::DiskFull);
  EXPECT_TRUE(fs::is_empty(root / "dst"));
  EXPECT_EQ(copyError(root / "a", root / "dst"), Err::PathFileAccessError);
  EXPECT_EQ(copyError(root / "a", root / "no/such/c"), Err::PathNotFound);
}

TEST_F(FileCopyTest, AHeldFolderRemovedAndMadeAgainTakesTheNextCopy) {
  CopyFolder from;
  CopyFolder held;
  writeFile(root / "in/s", "first");
  fs::create_directories(root / "out");
  files.copyFile(root / "in/s", root / "out/1", from, held);
  fs::remove_all(root / "out");
  EXPECT_EQ(copyError(root / "a", root / "out/2"), Err::PathNotFound);
  fs::create_directories(root / "out");
  fs::remove_all(root / "in");
  writeFile(root / "in/s", "second");
  fs::permissions(root / "in/s", fs::perms{0444});
  EXPECT_EQ(files.getAttributes(root / "in/s", from), Attr::ReadOnly | Attr::Archive);
  files.copyFile(root / "in/s", root / "out/3", from, held);
  EXPECT_EQ(readFile(root / "out/3"), "second");
}

TEST_F(FileCopyTest, PermissionsSurviveTheUmaskAndAnInheritedDefaultAccessList) {
  const mode_t saved = ::umask(027);
  fs::permissions(root / "a", fs::perms{0777});
  files.copyFile(root / "a", root / "out");
  ::umask(saved);
  EXPECT_EQ(fs::status(root / "out").permissions(), fs::perms{0777});

  // In a folder made a moment ago a default access list takes the umask's place. Owner all, group
  // and others nothing: a new file of mode 0644 would get 0600.
  const std::uint32_t list[] = {2, 0x0007'0001, 0, 0x0000'0004, 0, 0x0000'0020, 0};
  const fs::path parent = root / "listed";
  fs::create_directory(parent);
  if (::setxattr(parent.c_str(), "system.posix_acl_default", list, sizeof list, 0) != 0)
    GTEST_SKIP() << "no access lists on this file system";
  fs::permissions(root / "a", fs::perms{0644});
  fs::create_directory(parent / "made");
  CopyFolder from;
  CopyFolder into;
  into.madeJustNow((parent / "made").string());
  files.copyFile(root / "a", parent / "made/out", from, into);
  EXPECT_EQ(fs::status(parent / "made/out").permissions(), fs::perms{0644});
}

TEST_F(FileCopyTest, ATargetInAFolderJustMadeIsStillCheckedBeforeItIsReplaced) {
  const fs::path out = root / "out";
  const auto copyIntoMade = [&](const fs::path& source, const fs::path& target) {
    CopyFolder from;
    CopyFolder into;
    into.madeJustNow((out / "").string());
    return testing::raisedError([&] { files.copyFile(source, target, from, into); });
  };
  writeFile(out / "old", "old");
  EXPECT_EQ(copyIntoMade(root / "a", out / "old"), 0);
  EXPECT_EQ(readFile(out / "old"), bytes);
  fs::permissions(out / "old", fs::perms{0444});
  EXPECT_EQ(copyIntoMade(root / "a", out / "old"), Err::PathFileAccessError);
  fs::permissions(out / "old", fs::perms{0644});
  EXPECT_EQ(copyIntoMade(out / "old", out / "old"), Err::PathFileAccessError);
  EXPECT_EQ(testing::entriesIn(out), 1);
}

TEST_F(FileCopyTest, CopyToAnotherFileSystemFallsBackToReadAndWrite) {
  std::string folder = "/dev/shm/ferrowick-test-XXXXXX";
  struct stat here[2] = {};  // the sandbox's file system and /dev/shm
  if (::stat(root.c_str(), &here[0]) != 0 || ::stat("/dev/shm", &here[1]) != 0 ||
      here[0].st_dev == here[1].st_dev || ::mkdtemp(folder.data()) == nullptr)
    GTEST_SKIP() << "no second file system to copy to";
  files.copyFile(root / "a", folder + "/a");
  EXPECT_EQ(readFile(folder + "/a"), bytes);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace ferrowick::runtime
