#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/TextOutput.h"
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

class TextOutputTest : public ::testing::Test {
 protected:
  fs::path root = Sandbox::root();
  Faults faults;
  TextOutput out{faults};
};

TEST_F(TextOutputTest, LinesEndInCrLfAndOpenWritesJoinTheNextLine) {
  writeFile(root / "log", "an older and longer content");
  out.open(root / "log");
  out.writeLine("head ü");
  out.writeLine();
  out.write("ERROR: 53 - File not found");
  out.writeLine();
  out.write("a >> b");
  out.writeLine("[OK]");
  out.close();
  EXPECT_EQ(readFile(root / "log"), "head ü\r\n\r\nERROR: 53 - File not found\r\na >> b[OK]\r\n");
  EXPECT_FALSE(out.isOpen());
}

TEST_F(TextOutputTest, LongOutputArrivesWhole) {
  out.open(root / "log");
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string line = "/home/ann/file" + std::to_string(i);
    out.writeLine(line);
    expected += line + "\r\n";
  }
  out.close();
  EXPECT_EQ(readFile(root / "log"), expected);
}

TEST_F(TextOutputTest, MisuseGivesTheRuntimeNumbers) {
  EXPECT_EQ(errorOf([&] { out.write("x"); }), Err::BadFileNameOrNumber);
  EXPECT_EQ(errorOf([&] { out.open(root / "missing/log"); }), Err::PathNotFound);
  out.open(root / "log");
  EXPECT_EQ(errorOf([&] { out.open(root / "log"); }), Err::FileAlreadyOpen);
  out.close();
  EXPECT_NO_THROW(out.close());
  EXPECT_EQ(errorOf([&] { out.writeLine("x"); }), Err::BadFileNameOrNumber);
}

TEST_F(TextOutputTest, FullDiskIsErrorSixtyOneAndTheFileStillCloses) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  out.open("/dev/full");
  out.writeLine("header");
  EXPECT_EQ(errorOf([&] { out.close(); }), Err::DiskFull);
  EXPECT_FALSE(out.isOpen());
}

TEST_F(TextOutputTest, PlannedFailuresHitOpenAndWrite) {
  faults.inject("open", Err::PermissionDenied);
  EXPECT_EQ(errorOf([&] { out.open(root / "log"); }), Err::PermissionDenied);
  EXPECT_FALSE(out.isOpen());
  out.open(root / "log");
  faults.inject("write", Err::DiskFull, "", 1, 1);
  out.write("a");
  EXPECT_EQ(errorOf([&] { out.writeLine("b"); }), Err::DiskFull);
  out.writeLine("c");
  out.close();
  EXPECT_EQ(readFile(root / "log"), "ac\r\n");
}

}  // namespace
}  // namespace ferrowick::runtime
