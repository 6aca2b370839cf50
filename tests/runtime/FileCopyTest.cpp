#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
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
  fs::path root = Sandbox::root();
  FileSystem files{root / "archive.db"};
};

TEST_F(FileCopyTest, CopyCarriesContentPermissionsAndModificationTime) {
  const auto source = root / "src/a.bin";
  const std::string bytes = pattern((std::size_t{3} << 20) + 123);
  writeFile(source, bytes);
  fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(50);
  fs::last_write_time(source, stamp);
  fs::create_directories(root / "dst");
  writeFile(root / "dst/a.bin", "older copy");

  files.copyFile(source, root / "dst/a.bin");

  EXPECT_EQ(readFile(root / "dst/a.bin"), bytes);
  EXPECT_EQ(fs::status(root / "dst/a.bin").permissions(), fs::status(source).permissions());
  EXPECT_EQ(fs::last_write_time(root / "dst/a.bin"), stamp);
  EXPECT_EQ(namesIn(root / "dst"), std::vector<std::string>{"a.bin"});
}

TEST_F(FileCopyTest, EmptyFileCopiesToEmptyFile) {
  writeFile(root / "empty", "");
  files.copyFile(root / "empty", root / "copy");
  EXPECT_EQ(fs::file_size(root / "copy"), 0u);
}

TEST_F(FileCopyTest, DiskFullInTheMiddleKeepsTheEarlierCopyAndLeavesNoTemporaryFile) {
  writeFile(root / "src/big", pattern(std::size_t{3} << 20));
  writeFile(root / "dst/big", "earlier copy");
  // The first chunk goes through, the second finds the disk full.
  files.faults().inject("copy.write", Err::DiskFull, "dst/big", 1, 1);

  EXPECT_EQ(errorOf([&] { files.copyFile(root / "src/big", root / "dst/big"); }), Err::DiskFull);
  EXPECT_EQ(readFile(root / "dst/big"), "earlier copy");
  EXPECT_EQ(namesIn(root / "dst"), std::vector<std::string>{"big"});

  // A first copy that fails leaves nothing at all.
  files.faults().inject("copy.write", Err::DiskFull, "dst/first", 1, 1);
  EXPECT_EQ(errorOf([&] { files.copyFile(root / "src/big", root / "dst/first"); }), Err::DiskFull);
  EXPECT_EQ(namesIn(root / "dst"), std::vector<std::string>{"big"});

  // Without the fault both come out whole.
  EXPECT_EQ(files.copyFile(root / "src/big", root / "dst/big"), std::uint64_t{3} << 20);
  EXPECT_EQ(files.copyFile(root / "src/big", root / "dst/first"), std::uint64_t{3} << 20);
  EXPECT_EQ(readFile(root / "dst/first"), readFile(root / "src/big"));
  EXPECT_EQ(namesIn(root / "dst"), (std::vector<std::string>{"big", "first"}));
}

TEST_F(FileCopyTest, ReadOnlyTargetRefusesTheCopyEvenForRoot) {
  writeFile(root / "a", "new");
  writeFile(root / "b", "old");
  fs::permissions(root / "b", fs::perms::owner_read | fs::perms::group_read);

  EXPECT_EQ(errorOf([&] { files.copyFile(root / "a", root / "b"); }), Err::PathFileAccessError);
  EXPECT_EQ(readFile(root / "b"), "old");
  EXPECT_EQ(errorOf([&] { files.copyFile(root / "a", root); }), Err::PathFileAccessError);
}

TEST_F(FileCopyTest, MissingSourceOrTargetFolderGivesTheirNumbers) {
  writeFile(root / "a", "x");
  EXPECT_EQ(errorOf([&] { files.copyFile(root / "gone", root / "b"); }), Err::FileNotFound);
  EXPECT_EQ(errorOf([&] { files.copyFile(root / "a", root / "no/such/b"); }), Err::PathNotFound);
  EXPECT_EQ(errorOf([&] { files.copyFile(root, root / "b"); }), Err::PathFileAccessError);
  EXPECT_FALSE(fs::exists(root / "b"));
}

TEST_F(FileCopyTest, PlannedFailureBeforeTheCopyTouchesNothing) {
  writeFile(root / "a", "new");
  writeFile(root / "b", "old");
  files.faults().inject("copy", Err::DeviceIOError, "/a");
  EXPECT_EQ(errorOf([&] { files.copyFile(root / "a", root / "b"); }), Err::DeviceIOError);
  EXPECT_EQ(readFile(root / "b"), "old");
  files.copyFile(root / "a", root / "b");
  EXPECT_EQ(readFile(root / "b"), "new");
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
  const auto names = namesIn(folder);
  fs::remove_all(folder);
  EXPECT_EQ(copied, bytes);
  EXPECT_EQ(names, std::vector<std::string>{"a"});
}

}  // namespace
}  // namespace ferrowick::runtime
