#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "TestChecks.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

// Every name in the folder, temporary files included.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 4096) & 0xff);
  return bytes;
}

class FileCopyTest : public ::testing::Test {
 protected:
  fs::path root = testing::Sandbox::root();
  FileSystem files{root / "archive.db"};
};

TEST_F(FileCopyTest, CopyCarriesContentPermissionsAndModificationTime) {
  const auto source = root / "src/a.bin";
  const std::string bytes = pattern((std::size_t{3} << 20) + 123);
  writeFile(source, bytes);
  fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(50);
  fs::last_write_time(source, stamp);
  writeFile(root / "dst/a.bin", "older copy");
  writeFile(root / "empty", "");

  EXPECT_EQ(files.copyFile(source, root / "dst/a.bin"), bytes.size());
  EXPECT_EQ(files.copyFile(root / "empty", root / "dst/empty"), 0u);

  EXPECT_EQ(readFile(root / "dst/a.bin"), bytes);
  EXPECT_EQ(fs::status(root / "dst/a.bin").permissions(), fs::status(source).permissions());
  EXPECT_EQ(fs::last_write_time(root / "dst/a.bin"), stamp);
  EXPECT_EQ(namesIn(root / "dst"), (std::vector<std::string>{"a.bin", "empty"}));
}

TEST_F(FileCopyTest, DiskFullInTheMiddleKeepsTheEarlierCopyAndLeavesNoTemporaryFile) {
  writeFile(root / "src/big", pattern(std::size_t{3} << 20));
  writeFile(root / "dst/big", "earlier copy");
  // The first chunk goes through, the second finds the disk full.
  files.faults().inject("copy.write", Err::DiskFull, "dst/big", 1, 1);
  EXPECT_EQ(testing::errorOf([&] { files.copyFile(root / "src/big", root / "dst/big"); }),
            Err::DiskFull);
  EXPECT_EQ(readFile(root / "dst/big"), "earlier copy");

  // A first copy that fails leaves nothing at all.
  files.faults().inject("copy.write", Err::DiskFull, "dst/first", 1, 1);
  EXPECT_EQ(testing::errorOf([&] { files.copyFile(root / "src/big", root / "dst/first"); }),
            Err::DiskFull);
  EXPECT_EQ(namesIn(root / "dst"), std::vector<std::string>{"big"});
}

TEST_F(FileCopyTest, RefusalsGiveTheirNumbersAndTouchNothing) {
  writeFile(root / "a", "new");
  writeFile(root / "b", "old");
  fs::permissions(root / "b", fs::perms::owner_read | fs::perms::group_read);
  const auto copy = [&](const fs::path& from, const fs::path& to) {
    return testing::errorOf([&] { files.copyFile(from, to); });
  };
  // Read-only even for root, as on the system the program was made for.
  EXPECT_EQ(copy(root / "a", root / "b"), Err::PathFileAccessError);
  EXPECT_EQ(copy(root / "a", root), Err::PathFileAccessError);
  EXPECT_EQ(copy(root, root / "c"), Err::PathFileAccessError);
  EXPECT_EQ(copy(root / "a", root / "a"), Err::PermissionDenied);
  EXPECT_EQ(copy(root / "gone", root / "c"), Err::FileNotFound);
  EXPECT_EQ(copy(root / "a", root / "no/such/c"), Err::PathNotFound);
  EXPECT_EQ(readFile(root / "a"), "new");
  EXPECT_EQ(readFile(root / "b"), "old");
  EXPECT_FALSE(fs::exists(root / "c"));
}

TEST_F(FileCopyTest, CopyToAnotherFileSystemFallsBackToReadAndWrite) {
  struct stat here {
  }, shm{};
  if (::stat(root.c_str(), &here) != 0 || ::stat("/dev/shm", &shm) != 0 ||
      here.st_dev == shm.st_dev || ::access("/dev/shm", W_OK) != 0) {
    GTEST_SKIP() << "no second file system to copy to";
  }
  std::string folder = "/dev/shm/ferrowick-test-XXXXXX";
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const std::string bytes = pattern((std::size_t{2} << 20) + 7);
  writeFile(root / "a", bytes);
  files.copyFile(root / "a", folder + "/a");
  const std::string copied = readFile(folder + "/a");
  fs::remove_all(folder);
  EXPECT_EQ(copied, bytes);
}

}  // namespace
}  // namespace ferrowick::runtime
