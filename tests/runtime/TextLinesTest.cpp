#include <gtest/gtest.h>
#include <sys/stat.h>

#include "runtime/Faults.h"
#include "runtime/TestChecks.h"
#include "runtime/TextLines.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::raisedError;
using testing::Sandbox;
using Lines = std::vector<std::string>;

Lines linesOf(const std::string& bytes) {
  const auto path = Sandbox::root() / "lines.txt";
  testing::writeFile(path, bytes);
  Faults faults;
  TextLineReader reader(path.string(), faults);
  Lines lines;
  for (std::string line; reader.next(line);) lines.push_back(line);
  return lines;
}

TEST(TextLines, CarriageReturnWithOrWithoutLineFeedEndsALine) {
  // The last case ends the first read block with a CR whose LF starts the next block.
  const std::string first(65535, 'x');
  const std::string second(70000, 'y');
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\n\r\n\rb", {"a", "", "", "b"}},
      {"100 a\n101 b\n", {"100 a\n101 b\n"}},  // a line feed alone ends nothing
      {"", {}},
      {first + "\r\n" + second + "\r\nz", {first, second, "z"}},
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(linesOf(bytes), lines) << bytes.substr(0, 20);
}

TEST(TextLines, FolderOrPipeRaisesInsteadOfBlocking) {
  Faults faults;
  const auto folder = Sandbox::root() / "folder.txt";
  std::filesystem::create_directory(folder);
  EXPECT_EQ(raisedError([&] { TextLineReader(folder.string(), faults); }),
            Err::PathFileAccessError);
  const auto pipe = Sandbox::root() / "pipe.txt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_NE(raisedError([&] { TextLineReader(pipe.string(), faults); }), 0);
}

}  // namespace
}  // namespace ferrowick::runtime
