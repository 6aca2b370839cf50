#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

using testing::readFile;

class CopyRunLogTest : public CopyRunTest {
 protected:
  void SetUp() override {
    window.chkLog_.setValue(runtime::CheckState::Checked);
    a = file("a.txt", std::string(std::size_t{3} << 19, 'a'));  // 1.5 MiB
    b = file("b.txt", "bb");
    c = file("c.txt", "ccc");
  }
  std::string a, b, c;
};

TEST_F(CopyRunLogTest, CleanRunLogsEachFileAndTheSummary) {
  addItem(a);
  addItem(b);
  window.Label11_.setCaption("old");

  copyRun.RunBackup();

  const std::string total = summary(2, "1.50");
  EXPECT_EQ(readFile(logPath()),
            header + line(a) + "[OK]\r\n" + line(b) + "[OK]\r\n\r\n" + total + "\r\n");
  EXPECT_EQ(window.Label10_.caption(), "<190>");
  EXPECT_EQ(window.Label11_.caption(), "");
  EXPECT_EQ(window.Label12_.caption(), "");
  EXPECT_EQ(window.Label13_.caption(), "");
  EXPECT_EQ(window.Label14_.caption(), total);
  EXPECT_EQ(window.form_.caption(), "<180>");
  EXPECT_TRUE(window.xt1_.visible());
  EXPECT_FALSE(window.xt4_.visible());
  EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
  EXPECT_EQ(host.loop.yields, 2);
  EXPECT_EQ(state.SourceFiles.size(), 1u);
  EXPECT_TRUE(state.SourceFiles[0].Path.empty());
  EXPECT_FALSE(state.RunInProgress);
}

TEST_F(CopyRunLogTest, EmptyRunLogsOnlyTheHeader) {
  copyRun.RunBackup();
  EXPECT_EQ(readFile(logPath()), header);
  EXPECT_EQ(window.Label14_.caption(),
            "<188> 0 <189> 0.00 Mb, <191> 09:15 <183> 09:15 | 12/06/26.");
  EXPECT_EQ(host.loop.yields, 0);
}

TEST_F(CopyRunLogTest, NoToAnErrorEndsTheRunAndTheOpenEntryRunsIntoTheSummary) {
  addItem(a);
  addItem(b);
  addItem(c);
  files.faults().inject("copy", runtime::Err::DiskFull, "b.txt");
  host.messages.answer(runtime::MsgAnswer::No);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "<197>" + errorText(b, target(b)));
  EXPECT_EQ(host.messages.shown[0].style, 52);
  EXPECT_EQ(host.messages.shown[0].caption, "Ferrowick");
  const std::string total = summary(1, "1.50");
  EXPECT_EQ(readFile(logPath()),
            header + line(a) + "[OK]\r\nERROR: 61 - Disk full\r\n" + total + "\r\n");
  EXPECT_FALSE(fs::exists(target(b)));
  EXPECT_FALSE(fs::exists(target(c)));
  EXPECT_EQ(window.Label14_.caption(), total);
}

TEST_F(CopyRunLogTest, UntickingTheLogBoxStopsTheLinesAndTickingItLaterIsHarmless) {
  addItem(a);
  addItem(b);
  addItem(c);
  onYield = [this] {
    if (statuses.size() == 2) window.chkLog_.setValue(runtime::CheckState::Unchecked);
    if (statuses.size() == 3) window.chkLog_.setValue(runtime::CheckState::Checked);
  };
  copyRun.RunBackup();
  // The log this run opened goes on from where the box is ticked again.
  const std::string total = summary(3, "1.50");
  EXPECT_EQ(readFile(logPath()),
            header + line(a) + "[OK]\r\n" + line(c) + "[OK]\r\n\r\n" + total + "\r\n");

  // A run that starts with the box unticked opens no log, and ticking it then writes nothing.
  statuses.clear();
  testing::writeFile(logPath(), "previous run");
  window.chkLog_.setValue(runtime::CheckState::Unchecked);
  onYield = [this] { window.chkLog_.setValue(runtime::CheckState::Checked); };
  copyRun.RunBackup();
  EXPECT_EQ(readFile(logPath()), "previous run");
  EXPECT_TRUE(host.messages.shown.empty());
}

TEST_F(CopyRunLogTest, LogThatCannotBeOpenedIsAskedAboutAndTheRunEnds) {
  addItem(a);
  files.faults().inject("open", runtime::Err::PermissionDenied);
  host.messages.answer(runtime::MsgAnswer::Yes);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "<198>" + errorText("", ""));
  EXPECT_FALSE(fs::exists(target(a)));
  EXPECT_EQ(window.Label10_.caption(), "<190>");
  EXPECT_FALSE(host.pointer.busy());
}

}  // namespace
}  // namespace ferrowick::engine
