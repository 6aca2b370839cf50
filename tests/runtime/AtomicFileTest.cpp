#include <gtest/gtest.h>
#include <sys/stat.h>

#include "runtime/AtomicFile.h"
#include "runtime/Faults.h"
#include "runtime/TestChecks.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::entriesIn;
using testing::raisedError;
using testing::readFile;

TEST(AtomicFile, ReplacesTheWholeFileOrLeavesItAsItWas) {
  const auto folder = testing::Sandbox::root() / "store";
  const auto path = folder / "file.txt";
  testing::writeFile(path, "old content that is longer");
  Faults faults;
  faults.inject(FaultPoint::ReplaceFile, Err::DiskFull);
  EXPECT_EQ(raisedError([&] { replaceFile(path, "new", 0600, &faults); }), Err::DiskFull);
  EXPECT_EQ(readFile(path), "old content that is longer");
  EXPECT_EQ(entriesIn(folder), 1);

  replaceFile(path, "new", 0640);
  EXPECT_EQ(readFile(path), "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace ferrowick::runtime
