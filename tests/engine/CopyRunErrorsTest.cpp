#include <sys/stat.h>

#include <algorithm>

#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

namespace Attr = runtime::Attr;
namespace Err = runtime::Err;
using runtime::MsgAnswer::No;
using runtime::MsgAnswer::Yes;
using testing::readFile;

class CopyRunErrorsTest : public CopyRunTest {
 protected:
  void SetUp() override {
    window.chkLog_.setValue(runtime::CheckState::Checked);
    a = file("a.txt", "alpha");
    b = file("b.txt", "beta");
    c = file("c.txt", "gamma");
    for (const auto& path : {a, b, c}) addItem(path);
  }
  std::string a, b, c;
};

TEST_F(CopyRunErrorsTest, YesRestartsTheFileAndItIsCountedOnce) {
  files.faults().inject("copy", Err::DeviceIOError, "b.txt");
  host.messages.answer(Yes);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "<196>" + errorText(b, target(b)));
  EXPECT_EQ(host.messages.shown[0].style, 20);
  EXPECT_EQ(readFile(target(b)), "beta");
  EXPECT_EQ(readFile(logPath()), header + line(a) + "[OK]\r\nERROR: 57 - Device I/O error" +
                                     line(b) + "[OK]\r\n" + line(c) + "[OK]\r\n\r\n" + summary(3) +
                                     "\r\n");
  // No extra yield for the restart.
  EXPECT_EQ(host.loop.yields, 3);
}

TEST_F(CopyRunErrorsTest, ReadOnlyTargetIsMadeWritableOnceWithoutAMessage) {
  testing::writeFile(target(b), "old");
  files.setAttributes(target(b), Attr::ReadOnly | Attr::Archive);

  copyRun.RunBackup();

  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(readFile(target(b)), "beta");
  EXPECT_EQ(window.Label14_.caption(), summary(3));
  EXPECT_NE(readFile(logPath()).find("ERROR: 75 - Path/File access error" + line(b) + "[OK]"),
            std::string::npos);
}

TEST_F(CopyRunErrorsTest, ReadOnlyTargetThatStaysRefusedIsAskedAbout) {
  testing::writeFile(target(b), "old");
  files.setAttributes(target(b), Attr::ReadOnly);
  // The second attempt is refused again.
  files.faults().inject("copy", Err::PathFileAccessError, "b.txt", 1, 1);
  host.messages.answer(No);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "75: Path/File access error" + errorText(b, target(b)));
  EXPECT_EQ(host.messages.shown[0].style, 20);
  EXPECT_EQ(readFile(target(b)), "old");
  EXPECT_FALSE(fs::exists(target(c)));
  EXPECT_EQ(window.Label14_.caption(), summary(1));
}

TEST_F(CopyRunErrorsTest, DiskFullInTheMiddleOfAFileKeepsItsEarlierCopyAndItsArchive) {
  const std::string big = file("big.bin", std::string((std::size_t{3} << 20) + 5, 'n'));
  addItem(big);
  testing::writeFile(target(big), "earlier copy");
  window.chkIncr_.setValue(runtime::CheckState::Checked);
  files.faults().inject("copy.write", Err::DiskFull, "big.bin", 1, 1);
  host.messages.answer(No);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "<197>" + errorText(big, target(big)));
  EXPECT_EQ(readFile(target(big)), "earlier copy");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(target(big)).parent_path())) {
    names.push_back(entry.path().filename());
  }
  std::sort(names.begin(), names.end());
  // a.txt and b.txt come before it in the list; no temporary file stays.
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.txt", "big.bin"}));
  EXPECT_EQ(files.getAttributes(big), Attr::Archive);
  EXPECT_EQ(files.getAttributes(b), 0u);
  EXPECT_EQ(readFile(logPath()).find(line(big)), std::string::npos);
  EXPECT_EQ(window.Label14_.caption(), summary(2));
}

TEST_F(CopyRunErrorsTest, VanishedFileGivesOneMessageThatNamesItAndIsNotCounted) {
  // One file is gone before the list is built, another before its turn.
  const std::string gone = (src / "gone.txt").string();
  addItem(gone);
  onYield = [this] {
    if (statuses.size() == 2) fs::remove(b);
  };

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 2u);
  EXPECT_EQ(host.messages.shown[0].text, "<195>\n\n" + gone);
  EXPECT_EQ(host.messages.shown[1].text, "<195>\n\n" + b);
  EXPECT_EQ(host.messages.shown[1].style, 48);
  EXPECT_EQ(readFile(logPath()), header + line(a) + "[OK]\r\nERROR: 53 - File not found" + line(c) +
                                     "[OK]\r\n\r\n" + summary(2) + "\r\n");
  // It still had its status lines.
  EXPECT_EQ(statuses.back().label11, b);
}

TEST_F(CopyRunErrorsTest, FileThatCannotBeCopiedIsPassedOverWithAMessage) {
  const std::string pipe = (src / "b.pipe").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  addItem(pipe);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "<194>\n\n" + pipe);
  EXPECT_EQ(host.messages.shown[0].style, 48);
  EXPECT_FALSE(fs::exists(target(pipe)));
  // It lists between a.txt and b.txt; its entry runs into the next file's line.
  EXPECT_EQ(readFile(logPath()), header + line(a) + "[OK]\r\nERROR: 52 - Bad file name or number" +
                                     line(b) + "[OK]\r\n" + line(c) + "[OK]\r\n\r\n" + summary(3) +
                                     "\r\n");
}

TEST_F(CopyRunErrorsTest, FailingErrorEntryEndsTheRunInOrderWithAMessage) {
  // The file's line and then the handler's own entry both find the disk full.
  files.faults().inject("write", Err::DiskFull, "", 2, 2);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "61: Disk full" + errorText(a, target(a)));
  EXPECT_EQ(host.messages.shown[0].style, 16);
  EXPECT_FALSE(fs::exists(target(b)));
  EXPECT_EQ(window.Label10_.caption(), "<190>");
  EXPECT_EQ(window.Label14_.caption(), summary(0));
  EXPECT_FALSE(host.pointer.busy());
  EXPECT_FALSE(state.RunInProgress);
  EXPECT_EQ(readFile(logPath()), header + "\r\n" + summary(0) + "\r\n");
}

TEST_F(CopyRunErrorsTest, SecondRunDoesNotStartWhileOneIsInProgress) {
  onYield = [this] { copyRun.RunBackup(); };

  copyRun.RunBackup();

  EXPECT_EQ(host.loop.yields, 3);
  EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
  EXPECT_EQ(window.Label14_.caption(), summary(3));

  // And once it is over, the next one runs.
  onYield = nullptr;
  copyRun.RunBackup();
  EXPECT_EQ(host.loop.yields, 6);
}

TEST_F(CopyRunErrorsTest, FileCopiedOntoItselfIsRefusedAndAsked) {
  // With "/" as the backup root every file's mirror is the file itself.
  window.txtDest_.setText("/");
  window.lstSource_.clear();
  addItem(a);
  host.messages.answer(No);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "<198>" + errorText(a, a));
  EXPECT_EQ(readFile(a), "alpha");
}

}  // namespace
}  // namespace ferrowick::engine
