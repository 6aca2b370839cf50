#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using testing::readFile;

class CopyRunLogTest : public CopyRunTest {
 protected:
  const std::string a = file("a.txt", std::string(std::size_t{3} << 19, 'a')),  // 1.5 MiB
      b = file("b.txt", "bb"), c = file("c.txt", "ccc");
};

TEST_F(CopyRunLogTest, NoToAnErrorEndsTheRun) {
  for (const auto& path : {a, b, c}) addItem(path);
  fs.faults().inject(runtime::FaultPoint::Copy, runtime::Err::DiskFull, "b.txt");
  host.messages.answer(runtime::MsgAnswer::No);
  copyRun.RunBackup();
  EXPECT_EQ(shown(), Strings{"YesNo+Exclamation <197>" + errorText(b, target(b))});
  EXPECT_EQ(readFile(logPath()), header + line(a) + "[OK]\r\nERROR: 61 - Disk full: " + b +
                                     "\r\n\r\n" + summary(1, "1.50") + "\r\n");
}

TEST_F(CopyRunLogTest, TheLogHoldsTheRunsLinesWhileItsBoxIsTickedAndTheSummary) {
  copyRun.RunBackup();  // an empty run logs the header only
  EXPECT_EQ(readFile(logPath()), header);

  for (const auto& path : {a, b, c}) addItem(path);
  onYield = [this] {
    if (statuses.size() == 2) window.chkLog_.setValue(Unchecked);
    if (statuses.size() == 3) window.chkLog_.setValue(Checked);
  };
  copyRun.RunBackup();
  // The log this run opened goes on from where the box is ticked again.
  const std::string total = summary(3, "1.50");
  EXPECT_EQ(readFile(logPath()),
            header + line(a) + "[OK]\r\n" + line(c) + "[OK]\r\n\r\n" + total + "\r\n");
  EXPECT_EQ(window.Label10_.caption() + window.Label11_.caption(), "<190>");
  EXPECT_EQ(window.Label14_.caption(), total);
  EXPECT_TRUE(state.SourceFiles.size() == 1 && state.SourceFiles[0].Path.empty());
}

}  // namespace
}  // namespace ferrowick::engine
