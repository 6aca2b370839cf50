#include <sys/stat.h>

#include <tuple>

#include "CopyRunFixture.h"
#include "support/AttributeWord.h"

namespace ferrowick::engine {
namespace {

namespace Attr = runtime::Attr;
namespace Err = runtime::Err;
using runtime::MsgAnswer::No;
using testing::readFile;

class CopyRunErrorsTest : public CopyRunTest {
 protected:
  void SetUp() override {
    a = file("a.txt", "alpha");
    b = file("b.txt", "beta");
    c = file("c.txt", "gamma");
    for (const auto& path : {a, b, c}) addItem(path);
  }
  std::string a, b, c;
};

TEST_F(CopyRunErrorsTest, YesRestartsTheFileAndNoEndsTheRun) {
  fs.faults().inject(runtime::FaultPoint::Copy, Err::DeviceIOError, "b.txt");
  host.messages.answer(runtime::MsgAnswer::Yes);

  copyRun.RunBackup();

  EXPECT_EQ(readFile(target(b)), "beta");
  EXPECT_EQ(readFile(logPath()), header + line(a) + "[OK]\r\nERROR: 57 - Device I/O error: " + b +
                                     "\r\n" + line(b) + "[OK]\r\n" + line(c) + "[OK]\r\n\r\n" +
                                     summary(3) + "\r\n");
  EXPECT_EQ(host.loop.yields, 3);  // no extra yield for the restart
}

TEST_F(CopyRunErrorsTest, ReadOnlyTargetIsMadeWritableOnceAndThenAskedAbout) {
  testing::writeFile(target(b), "old");
  testing::setAttributeWord(fs, target(b), Attr::ReadOnly | Attr::Archive);
  copyRun.RunBackup();
  EXPECT_EQ(readFile(target(b)), "beta");
  EXPECT_NE(readFile(logPath()).find("ERROR: 75 - Path/File access error: " + b + "\r\n" + line(b) +
                                     "[OK]"),
            std::string::npos);

  // Refused again after that: asked about, and No ends the run.
  testing::writeFile(target(b), "old");
  testing::setAttributeWord(fs, target(b), Attr::ReadOnly);
  fs.faults().inject(runtime::FaultPoint::Copy, Err::PathFileAccessError, "b.txt", 1, 1);
  host.messages.answer(No);
  copyRun.RunBackup();
  EXPECT_EQ(shown(),
            Strings{"YesNo+Critical 75: Path/File access error" + errorText(b, target(b))});
}

TEST_F(CopyRunErrorsTest, LinkAtATargetIsReplacedAndWhatItLeadsToIsNeverTouched) {
  const std::string outside = (root / "outside.txt").string();
  testing::writeFile(outside, "not ours");
  ::chmod(outside.c_str(), 0444);
  fs::create_directories(fs::path(target(b)).parent_path());
  fs::create_symlink(outside, target(b));

  copyRun.RunBackup();

  EXPECT_EQ(fs::status(outside).permissions(), fs::perms{0444});
  EXPECT_EQ(readFile(outside), "not ours");
  EXPECT_FALSE(fs::is_symlink(target(b)));
}

TEST_F(CopyRunErrorsTest, DiskFullInTheMiddleOfAFileKeepsItsEarlierCopyAndItsArchive) {
  const std::string big = file("big.bin", std::string((std::size_t{3} << 20) + 5, 'n'));
  addItem(big);
  testing::writeFile(target(big), "earlier copy");
  window.chkIncr_.setValue(runtime::CheckState::Checked);
  fs.faults().inject(runtime::FaultPoint::CopyWrite, Err::DiskFull, "big.bin", 1, 1);
  host.messages.answer(No);

  copyRun.RunBackup();

  EXPECT_EQ(shown(), Strings{"YesNo+Exclamation <197>" + errorText(big, target(big))});
  EXPECT_EQ(readFile(target(big)), "earlier copy");
  EXPECT_EQ(fs.getAttributes(big), Attr::Archive);
  EXPECT_EQ(readFile(logPath()).find(line(big)), std::string::npos);
}

TEST_F(CopyRunErrorsTest, VanishedOrUncopyableFilesGiveOneMessageThatNamesThemAndAreNotCounted) {
  // One file is gone before the list is built, another before its turn.
  const std::string gone = (src / "gone.txt").string();
  const std::string pipe = (src / "b.pipe").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  addItem(gone);
  addItem(pipe);
  onYield = [this] {
    if (statuses.size() == 2) fs::remove(b);
  };

  copyRun.RunBackup();

  EXPECT_EQ(shown(), (Strings{"Exclamation <195>\n\n" + gone, "Exclamation <194>\n\n" + pipe,
                              "Exclamation <195>\n\n" + b}));
  // Each error entry names its file; one found before the log opened follows the header.
  EXPECT_EQ(readFile(logPath()), header + "ERROR: 53 - File not found: " + gone + "\r\n" + line(a) +
                                     "[OK]\r\nERROR: 52 - Bad file name or number: " + pipe +
                                     "\r\nERROR: 53 - File not found: " + b + "\r\n" + line(c) +
                                     "[OK]\r\n\r\n" + summary(2) + "\r\n");
}

TEST_F(CopyRunErrorsTest, FailingLogEndsTheRunInOrderWithABoxNamingTheLog) {
  const std::tuple<runtime::FaultPoint, int, int> failures[] = {
      {runtime::FaultPoint::OpenOutput, 1, 0}, {runtime::FaultPoint::WriteOutput, 2, 2}};
  for (const auto& [point, times, skip] : failures) {
    host.messages.shown.clear();
    fs.faults().inject(point, Err::DiskFull, "", times, skip);
    copyRun.RunBackup();
    EXPECT_EQ(shown(), Strings{"Exclamation 61: Disk full\n\n" + logPath()});
    EXPECT_FALSE(host.pointer.busy());
    EXPECT_EQ(window.Label14_.caption(), summary(0));
  }
  EXPECT_EQ(readFile(logPath()), header);
}

TEST_F(CopyRunErrorsTest, SecondRunDoesNotStartWhileOneIsInProgress) {
  onYield = [this] { copyRun.RunBackup(); };

  copyRun.RunBackup();

  EXPECT_EQ(host.loop.yields, 3);
  EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace ferrowick::engine
