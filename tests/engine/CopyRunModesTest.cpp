#include "CopyRunFixture.h"
#include "support/AttributeWord.h"

namespace ferrowick::engine {
namespace {

namespace Attr = runtime::Attr;
using runtime::CheckState::Checked;
using testing::readFile;
using Words = std::vector<unsigned>;

// Four files in list order with the attribute words 32, 0, 33 and 1.
class CopyRunModesTest : public CopyRunTest {
 protected:
  void SetUp() override {
    testing::setAttributeWord(fs, cleared, 0);
    testing::setAttributeWord(fs, readOnlyArchived, Attr::ReadOnly | Attr::Archive);
    testing::setAttributeWord(fs, readOnly, Attr::ReadOnly);
    for (const auto& path : all) addItem(path);
  }
  const std::string archived = file("a-archived", "a"), cleared = file("b-cleared", "bb"),
                    readOnlyArchived = file("c-readonly-archived", "ccc"),
                    readOnly = file("d-readonly", "dddd");
  const Strings all{archived, cleared, readOnlyArchived, readOnly};
};

TEST_F(CopyRunModesTest, FullModeCopiesEverythingAndIncrementalOnlyFilesWithTheArchiveSet) {
  copyRun.RunBackup();
  for (const auto& path : all) EXPECT_EQ(readFile(target(path)), readFile(path)) << path;
  EXPECT_EQ(window.Label14_.caption(), summary(4));

  // Incremental: the copied files' archive is cleared, and nothing is asked or logged
  // about a hidden file (the word 2) that is copied and has no archive to clear.
  const std::string hidden = file(".hidden", "h");
  testing::setAttributeWord(fs, hidden, 0);
  addItem(hidden);
  window.chkIncr_.setValue(Checked);
  statuses.clear();
  fs::remove_all(dest);  // the read-only copies would first be refused
  copyRun.RunBackup();
  Words words;
  for (const auto& path : all) words.push_back(fs.getAttributes(path));
  EXPECT_EQ(words, (Words{0, 0, Attr::ReadOnly, Attr::ReadOnly}));
  EXPECT_EQ(fs.getAttributes(hidden), Attr::Hidden);
  EXPECT_EQ(readFile(logPath()), header + line(hidden) + "[OK]\r\n" + line(archived) + "[OK]\r\n" +
                                     line(readOnlyArchived) + "[OK]\r\n" + line(readOnly) +
                                     "[OK]\r\n\r\n" + summary(4) + "\r\n");
  // The skipped file still had its status lines.
  EXPECT_EQ(statuses.at(3), cleared + " | " + target(cleared) + " | <185> 2 <187> 5<186>0.00 Mb");
}

TEST_F(CopyRunModesTest, RestartedFileReadsItsAttributesAgain) {
  window.chkIncr_.setValue(Checked);
  // A restart that kept the previous file's word (no archive) would skip it.
  fs.faults().inject(runtime::FaultPoint::Attributes, runtime::Err::PermissionDenied,
                     "c-readonly-archived");
  host.messages.answer(runtime::MsgAnswer::Yes);
  copyRun.RunBackup();
  EXPECT_EQ(fs.getAttributes(readOnlyArchived), Attr::ReadOnly);  // copied, archive cleared
}

TEST_F(CopyRunModesTest, FileChangedWhileItIsCopiedKeepsItsArchive) {
  window.chkIncr_.setValue(Checked);
  fs.faults().interfere(
      runtime::FaultPoint::CopyWrite, [this] { testing::writeFile(archived, "changed"); },
      "a-archived");
  copyRun.RunBackup();
  EXPECT_EQ(fs.getAttributes(archived), Attr::Archive);  // the next run copies it again
}

// The folder's listing already looked: no second look at an unchanged file (it would
// fail here); one gone since is still reported at its turn.
TEST_F(CopyRunTest, AFileUnchangedWhenItsFolderIsListedIsPassedOverWithoutAnotherLook) {
  const std::string kept = file("kept", "k"), changed = file("changed", "c"),
                    readOnly = file("read-only", "r"), gone = file("gone", "g");
  testing::setAttributeWord(fs, kept, 0);
  testing::setAttributeWord(fs, gone, 0);
  testing::setAttributeWord(fs, readOnly, Attr::ReadOnly);
  addItem((src / "*.*").string());
  window.chkIncr_.setValue(Checked);
  fs.faults().inject(runtime::FaultPoint::Attributes, runtime::Err::PermissionDenied, "kept");
  onYield = [&] {
    if (statuses.size() == 1) fs::remove(gone);
  };
  copyRun.RunBackup();
  EXPECT_EQ(shown(), Strings{"Exclamation <195>\n\n" + gone});
  EXPECT_FALSE(fs::exists(target(kept)));
  EXPECT_EQ(readFile(target(changed)) + readFile(target(readOnly)), "cr");
}

// The window stays responsive while one large file is copied.
TEST_F(CopyRunTest, OneLargeFileYieldsBetweenItsChunks) {
  fs.callBetweenChunksEvery(std::uint64_t{1} << 20);  // twice in a file of 3 MiB
  const std::string big = file("big", std::string(std::size_t{3} << 20, 'x'));
  addItem(big);
  int midFile = 0;
  onYield = [&] {
    const fs::path copy = target(big);
    if (fs::exists(copy.parent_path()) && !fs::exists(copy)) ++midFile;
  };
  copyRun.RunBackup();
  EXPECT_EQ(midFile, 2);
  EXPECT_EQ(fs::file_size(target(big)), std::uintmax_t{3} << 20);
}

}  // namespace
}  // namespace ferrowick::engine
