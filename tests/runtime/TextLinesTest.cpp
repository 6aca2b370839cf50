#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/TextLines.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Sandbox;

std::vector<std::string> linesOf(const std::string& bytes) {
  const auto path = Sandbox::root() / "lines.txt";
  testing::writeFile(path, bytes);
  Faults faults;
  TextLineReader reader(path.string(), faults);
  std::vector<std::string> lines;
  for (std::string line; reader.next(line);) lines.push_back(line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TextLines, CarriageReturnWithOrWithoutLineFeedEndsALine) {
  EXPECT_EQ(linesOf("a\r\nb\rc\r\n"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(linesOf("a\r\n\r\n\rb"), (Lines{"a", "", "", "b"}));
  EXPECT_EQ(linesOf("a\n\rb"), (Lines{"a\n", "b"}));
}

TEST(TextLines, LineFeedAloneDoesNotEndALine) {
  EXPECT_EQ(linesOf("100 a\n101 b\n"), (Lines{"100 a\n101 b\n"}));
}

TEST(TextLines, LastLineNeedsNoEndingAndAnEmptyFileHasNoLines) {
  EXPECT_EQ(linesOf("a\r\nlast"), (Lines{"a", "last"}));
  EXPECT_EQ(linesOf(""), Lines{});
  EXPECT_EQ(linesOf("\r\n"), Lines{""});
}

TEST(TextLines, LinesAndEndingsSpanningReadBlocks) {
  // The CR is the last byte of the first block, its LF the first of the next.
  const std::string first(65535, 'x');
  const std::string second(70000, 'y');
  EXPECT_EQ(linesOf(first + "\r\n" + second + "\r\nz"), (Lines{first, second, "z"}));
}

TEST(TextLines, FolderOrPipeFailsAtOnceInsteadOfBlocking) {
  Faults faults;
  const auto folder = Sandbox::root() / "folder.txt";
  std::filesystem::create_directory(folder);
  try {
    TextLineReader reader(folder.string(), faults);
    ADD_FAILURE() << "a folder opened as a text file";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), Err::PathFileAccessError);
  }
  const auto pipe = Sandbox::root() / "pipe.txt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_THROW(TextLineReader(pipe.string(), faults), RuntimeError);
  EXPECT_THROW(TextLineReader((Sandbox::root() / "missing.txt").string(), faults), RuntimeError);
}

TEST(TextLines, ReadFailureSurfacesAsTheRuntimeError) {
  const auto path = Sandbox::root() / "lines.txt";
  testing::writeFile(path, "a\r\nb\r\nc\r\n");
  Faults faults;
  faults.inject("readLine", Err::DeviceIOError, "lines.txt", 1, 1);
  TextLineReader reader(path.string(), faults);
  std::string line;
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line, "a");
  try {
    reader.next(line);
    ADD_FAILURE() << "no read error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), Err::DeviceIOError);
  }
}

}  // namespace
}  // namespace ferrowick::runtime
