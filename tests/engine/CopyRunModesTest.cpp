#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

namespace Attr = runtime::Attr;
using testing::readFile;

// Four files in list order with the attribute words 32, 0, 33 and 1.
class CopyRunModesTest : public CopyRunTest {
 protected:
  void SetUp() override {
    archived = file("a-archived", "a");
    cleared = file("b-cleared", "bb");
    readOnlyArchived = file("c-readonly-archived", "ccc");
    readOnly = file("d-readonly", "dddd");
    files.setAttributes(cleared, 0);
    files.setAttributes(readOnlyArchived, Attr::ReadOnly | Attr::Archive);
    files.setAttributes(readOnly, Attr::ReadOnly);
    for (const auto& path : {archived, cleared, readOnlyArchived, readOnly}) addItem(path);
    ASSERT_EQ(files.getAttributes(archived), Attr::Archive);
    ASSERT_EQ(files.getAttributes(cleared), 0u);
    ASSERT_EQ(files.getAttributes(readOnlyArchived), Attr::ReadOnly | Attr::Archive);
    ASSERT_EQ(files.getAttributes(readOnly), Attr::ReadOnly);
  }
  std::string archived, cleared, readOnlyArchived, readOnly;
};

TEST_F(CopyRunModesTest, FullModeCopiesEverythingAndChangesNoAttribute) {
  copyRun.RunBackup();

  for (const auto& path : {archived, cleared, readOnlyArchived, readOnly}) {
    EXPECT_EQ(readFile(target(path)), readFile(path)) << path;
  }
  EXPECT_EQ(files.getAttributes(archived), Attr::Archive);
  EXPECT_EQ(files.getAttributes(cleared), 0u);
  EXPECT_EQ(files.getAttributes(readOnlyArchived), Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(window.Label14_.caption(), summary(4));
}

TEST_F(CopyRunModesTest, IncrementalModeSkipsPlainFilesAndClearsTheArchiveOfCopiedOnes) {
  window.chkIncr_.setValue(runtime::CheckState::Checked);
  window.chkLog_.setValue(runtime::CheckState::Checked);

  copyRun.RunBackup();

  EXPECT_TRUE(fs::exists(target(archived)));
  EXPECT_FALSE(fs::exists(target(cleared)));
  EXPECT_TRUE(fs::exists(target(readOnlyArchived)));
  EXPECT_TRUE(fs::exists(target(readOnly)));
  EXPECT_EQ(files.getAttributes(archived), 0u);
  EXPECT_EQ(files.getAttributes(cleared), 0u);
  EXPECT_EQ(files.getAttributes(readOnlyArchived), Attr::ReadOnly);
  EXPECT_EQ(files.getAttributes(readOnly), Attr::ReadOnly);
  // Nothing was asked or refused along the way.
  EXPECT_TRUE(host.messages.shown.empty());
  const std::string log = readFile(logPath());
  EXPECT_EQ(log.find("b-cleared"), std::string::npos);
  EXPECT_EQ(log.find("ERROR"), std::string::npos);
  EXPECT_EQ(window.Label14_.caption(), summary(3));

  // The skipped file still had its status lines, with its own would-be target; the
  // yield before the third entry shows the second.
  ASSERT_EQ(statuses.size(), 4u);
  EXPECT_EQ(statuses[2].label11, cleared);
  EXPECT_EQ(statuses[2].label13, target(cleared));
  EXPECT_EQ(statuses[2].label14, "<185> 1 <187> 4<186>0.00 Mb");
}

TEST_F(CopyRunModesTest, RestartedFileReadsItsAttributesAgain) {
  window.chkIncr_.setValue(runtime::CheckState::Checked);
  // The file before it has no attribute set: a restart that kept that value would skip it.
  files.faults().inject("attributes", runtime::Err::PermissionDenied, "c-readonly-archived");
  host.messages.answer(runtime::MsgAnswer::Yes);

  copyRun.RunBackup();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_TRUE(
      host.messages.shown[0].text.starts_with("<198>\n\n<192>\n" + readOnlyArchived + "\n"));
  EXPECT_TRUE(fs::exists(target(readOnlyArchived)));
  EXPECT_EQ(files.getAttributes(readOnlyArchived), Attr::ReadOnly);
}

TEST_F(CopyRunModesTest, ArchiveClearOfAFileWithoutItIsRefusedSilently) {
  // A hidden file item whose archive attribute is already clear: 2 - 32 is refused.
  const std::string hidden = file(".hidden", "h");
  files.setAttributes(hidden, 0);
  window.lstSource_.clear();
  addItem(hidden);
  window.chkIncr_.setValue(runtime::CheckState::Checked);
  window.chkLog_.setValue(runtime::CheckState::Checked);

  copyRun.RunBackup();

  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(readFile(target(hidden)), "h");
  EXPECT_EQ(files.getAttributes(hidden), Attr::Hidden);
  const std::string log = readFile(logPath());
  EXPECT_NE(log.find(hidden + " >> " + target(hidden) +
                     "<184>ERROR: 5 - Invalid procedure call or argument[OK]\r\n"),
            std::string::npos);
  EXPECT_EQ(window.Label14_.caption(), summary(1));
}

TEST_F(CopyRunTest, ProgressShowsTheZeroBasedEntryOfTheCountAndTheMegabytes) {
  std::vector<std::string> paths;
  for (int i = 0; i < 10; ++i) {
    paths.push_back(file("f" + std::to_string(i), std::string(std::size_t{1} << 17, 'x')));
    addItem(paths.back());
  }
  onYield = [this] {
    EXPECT_EQ(window.Label10_.caption(), "<182>");
    EXPECT_EQ(window.Label12_.caption(), "<183>");
    EXPECT_EQ(window.form_.caption(), "<180>");
    EXPECT_TRUE(window.xt1_.visible());
    EXPECT_TRUE(host.pointer.busy());
  };
  copyRun.RunBackup();
  ASSERT_EQ(statuses.size(), 10u);
  EXPECT_EQ(statuses[9].label14, "<185> 8 <187> 10<186>1.13 Mb");
  EXPECT_EQ(statuses[9].label11, paths[8]);
  EXPECT_EQ(statuses[9].label13, target(paths[8]));
  EXPECT_EQ(window.Label14_.caption(), summary(10, "1.25"));
}

}  // namespace
}  // namespace ferrowick::engine
