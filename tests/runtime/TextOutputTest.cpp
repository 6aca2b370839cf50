#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TestChecks.h"
#include "runtime/Faults.h"
#include "runtime/TextOutput.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::readFile;

class TextOutputTest : public ::testing::Test {
 protected:
  fs::path root = testing::Sandbox::root();
  std::string log = root / "log";
  Faults faults;
  TextOutput out{faults};
};

TEST_F(TextOutputTest, LinesEndInCrLfAndOpenWritesJoinTheNextLine) {
  testing::writeFile(log, "an older and longer content");
  out.open(log);
  out.writeLine("head ü");
  out.writeLine();
  out.write("ERROR: 53 - File not found");
  out.write("a >> b");
  out.writeLine("[OK]");
  // More than one block of output.
  std::string expected = "head ü\r\n\r\nERROR: 53 - File not founda >> b[OK]\r\n";
  for (int i = 0; i < 20000; ++i) {
    out.writeLine("/home/ann/file" + std::to_string(i));
    expected += "/home/ann/file" + std::to_string(i) + "\r\n";
  }
  out.close();
  EXPECT_EQ(readFile(log), expected);
}

TEST_F(TextOutputTest, FailuresGiveTheRuntimeNumbers) {
  EXPECT_EQ(testing::errorOf([&] { out.write("x"); }), Err::BadFileNameOrNumber);
  EXPECT_EQ(testing::errorOf([&] { out.open(root / "missing/log"); }), Err::PathNotFound);
  faults.inject("open", Err::PermissionDenied);
  EXPECT_EQ(testing::errorOf([&] { out.open(log); }), Err::PermissionDenied);

  out.open(log);
  EXPECT_EQ(testing::errorOf([&] { out.open(log); }), Err::FileAlreadyOpen);
  faults.inject("write", Err::DiskFull, "", 1, 1);
  out.write("a");
  EXPECT_EQ(testing::errorOf([&] { out.writeLine("b"); }), Err::DiskFull);
  out.writeLine("c");
  out.close();
  EXPECT_EQ(readFile(log), "ac\r\n");
  EXPECT_EQ(testing::errorOf([&] { out.writeLine("x"); }), Err::BadFileNameOrNumber);
}

TEST_F(TextOutputTest, FullDiskIsErrorSixtyOneAndTheFileStillCloses) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  out.open("/dev/full");
  out.writeLine("header");
  EXPECT_EQ(testing::errorOf([&] { out.close(); }), Err::DiskFull);
  EXPECT_FALSE(out.isOpen());
}

}  // namespace
}  // namespace ferrowick::runtime
