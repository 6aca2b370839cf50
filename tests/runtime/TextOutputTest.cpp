#include <gtest/gtest.h>
#include <unistd.h>

#include "TestChecks.h"
#include "runtime/Faults.h"
#include "runtime/TextOutput.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

class TextOutputTest : public ::testing::Test {
 protected:
  std::string log = testing::Sandbox::root() / "log";
  Faults faults;
  TextOutput out{faults};
};

TEST_F(TextOutputTest, OpenEmptiesTheFileAndEachCrLfLineReachesItAtOnce) {
  testing::writeFile(log, std::string(std::size_t{1} << 20, 'x'));
  out.open(log);
  out.write("first ");
  out.writeLine("line");
  out.write("open");
  EXPECT_EQ(testing::readFile(log), "first line\r\n");
  std::string expected = "first line\r\nopen";
  for (int i = 0; i < 20000; ++i) {  // many write blocks
    out.writeLine("/home/änn/file" + std::to_string(i));
    expected += "/home/änn/file" + std::to_string(i) + "\r\n";
  }
  out.write("end");
  out.close();
  EXPECT_EQ(testing::readFile(log), expected + "end");
}

TEST_F(TextOutputTest, MisuseAndAFullDiskGiveTheirNumbersAndTheFileStillCloses) {
  out.open(log);
  EXPECT_EQ(testing::raisedError([&] { out.open(log); }), Err::FileAlreadyOpen);
  out.close();
  EXPECT_EQ(testing::raisedError([&] { out.writeLine("x"); }), Err::BadFileNameOrNumber);
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  out.open("/dev/full");
  EXPECT_EQ(testing::raisedError([&] { out.writeLine("header"); }), Err::DiskFull);
  out.write("rest");
  EXPECT_EQ(testing::raisedError([&] { out.close(); }), Err::DiskFull);
  EXPECT_FALSE(out.isOpen());
}

}  // namespace
}  // namespace ferrowick::runtime
