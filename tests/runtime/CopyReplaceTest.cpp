#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "TestChecks.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

class CopyReplaceTest : public ::testing::Test {
 protected:
  fs::path root = testing::Sandbox::root();
  FileSystem files{root / "archive.db"};
};

// A name as long as a name can be is copied and, later, replaced; while the new content is
// being written nothing beside the target carries a name.
TEST_F(CopyReplaceTest, TheLongestNameIsCopiedAndReplacedWithNothingNamedMeanwhile) {
  const std::string name(255, 'n');
  const fs::path source = root / "src" / name, target = root / "out" / name;
  writeFile(source, "first");
  fs::create_directories(target.parent_path());
  files.copyFile(source, target);
  EXPECT_EQ(readFile(target), "first");

  writeFile(source, "second");
  std::ptrdiff_t whileWriting = -1;
  files.faults().interfere(FaultPoint::CopyWrite,
                           [&] { whileWriting = testing::entriesIn(target.parent_path()); });
  files.copyFile(source, target);
  EXPECT_EQ(readFile(target), "second");
  EXPECT_EQ(whileWriting, 1);
  EXPECT_EQ(testing::entriesIn(target.parent_path()), 1);
}

// Where the destination's file system keeps no permissions or times, the copy stands
// without them; any other failure to set them fails the copy and keeps the earlier one.
TEST_F(CopyReplaceTest, ModesAndTimesTheFileSystemRefusesLeaveTheCopyStanding) {
  const fs::path source = root / "a", target = root / "out/a";
  writeFile(source, "new");
  // Beyond the umask, so that the mode is set after the content as well as the time.
  fs::permissions(source, fs::perms{0666});
  const std::pair<int, int> cases[] = {
      {ENOSYS, 0}, {EPERM, 0}, {EOPNOTSUPP, 0}, {EIO, Err::DeviceIOError}};
  for (const auto& [err, raised] : cases) {
    SCOPED_TRACE(err);
    writeFile(target, "old");
    files.faults().inject(FaultPoint::CopyAttributes, err, {}, 2);
    EXPECT_EQ(testing::raisedError([&] { files.copyFile(source, target); }), raised);
    EXPECT_EQ(readFile(target), raised == 0 ? "new" : "old");
    EXPECT_EQ(testing::entriesIn(target.parent_path()), 1);
    files.faults().clear();
  }
}

int run(const std::string& command) {
  return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str());
}

TEST_F(CopyReplaceTest, CopiesAndReplacesOnARealFatVolume) {
  if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "no /dev/fuse here";
  if (run("command -v mkfs.vfat && command -v fusefat && command -v fusermount") != 0)
    GTEST_SKIP() << "mkfs.vfat, fusefat or fusermount is not installed";
  const fs::path image = root / "fat.img", mount = root / "fat";
  fs::create_directories(mount);
  if (run("mkfs.vfat -C '" + image.string() + "' 4096") != 0)
    GTEST_SKIP() << "mkfs.vfat cannot make an image here";
  if (run("fusefat -o rw+ '" + image.string() + "' '" + mount.string() + "'") != 0)
    GTEST_SKIP() << "fusefat cannot mount here (no FUSE permission?)";
  struct Unmount {
    fs::path at;
    ~Unmount() { run("fusermount -u '" + at.string() + "'"); }
  } unmount{mount};

  writeFile(root / "a", "first");
  files.copyFile(root / "a", mount / "a");
  EXPECT_EQ(readFile(mount / "a"), "first");
  writeFile(root / "a", "second copy");
  files.copyFile(root / "a", mount / "a");
  EXPECT_EQ(readFile(mount / "a"), "second copy");
  EXPECT_EQ(testing::entriesIn(mount), 1);
}

}  // namespace
}  // namespace ferrowick::runtime
