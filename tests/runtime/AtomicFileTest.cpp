#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "runtime/AtomicFile.h"
#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Sandbox;

std::size_t entriesIn(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(AtomicFile, ReplacesTheWholeContentWithTheGivenMode) {
  const auto folder = Sandbox::root() / "store";
  std::filesystem::create_directory(folder);
  const auto path = folder / "file.txt";
  testing::writeFile(path, "old content that is longer");
  replaceFile(path, "new", 0640);
  EXPECT_EQ(testing::readFile(path), "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(entriesIn(folder), 1u);
}

TEST(AtomicFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  const auto folder = Sandbox::root() / "store";
  std::filesystem::create_directory(folder);
  const auto path = folder / "file.txt";
  testing::writeFile(path, "old");
  Faults faults;
  faults.inject("replaceFile", Err::DiskFull);
  try {
    replaceFile(path, "new", 0600, &faults);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), Err::DiskFull);
  }
  EXPECT_EQ(testing::readFile(path), "old");
  EXPECT_EQ(entriesIn(folder), 1u);

  EXPECT_THROW(replaceFile(folder / "missing/file.txt", "x", 0600), RuntimeError);
  EXPECT_EQ(entriesIn(folder), 1u);
}

}  // namespace
}  // namespace ferrowick::runtime
