#include <unistd.h>

#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

using testing::readFile;

TEST_F(CopyRunTest, FileNameIsWhatFollowsTheLastSeparator) {
  EXPECT_EQ(CopyRun::GetFileName("/home/ann/Docs/a.txt"), "a.txt");
  EXPECT_EQ(CopyRun::GetFileName("/a.txt"), "a.txt");
  EXPECT_EQ(CopyRun::GetFileName("/home/ann/Docs/"), "");
  EXPECT_EQ(CopyRun::GetFileName("a.txt"), "");
  EXPECT_EQ(CopyRun::GetFileName(""), "");
}

TEST_F(CopyRunTest, DestinationFolderMirrorsTheSourceFolderBelowTheBackupRoot) {
  state.BackupDir = dest + "/";
  fs::create_directories(dest);

  // The root folder "/" (of the item "/*.*") mirrors to the backup root itself.
  EXPECT_EQ(copyRun.MakeDestDir("/"), dest + "/");
  const std::string docs = (src / "Docs").string() + "/";
  EXPECT_EQ(copyRun.MakeDestDir(docs), mirrored(dest + "/", docs));
  EXPECT_TRUE(fs::is_directory(mirrored(dest + "/", docs)));
  // A folder with no separator has no mirror: nothing to copy into, nothing made.
  EXPECT_EQ(copyRun.MakeDestDir("relative"), "");
  EXPECT_TRUE(host.messages.shown.empty());

  // A file standing where a level should be: CreatePath says why, and there is no folder.
  testing::writeFile(mirrored(dest + "/", (src / "Blocked").string()), "a file");
  EXPECT_EQ(copyRun.MakeDestDir((src / "Blocked/Inner").string() + "/"), std::nullopt);
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_TRUE(host.messages.shown[0].text.starts_with("<177> '"));
}

TEST_F(CopyRunTest, RunCopiesEveryItemIntoItsMirroredFolderAndCreatesTheMissingRoot) {
  const std::string a = file("Docs/a.txt", "alpha");
  const std::string b = file("Docs/Sub/b.txt", "beta");
  const std::string c = file("Other/c.txt", "gamma");
  addItem((src / "Docs").string() + "/*.*");
  addItem(c);

  // No closing separator, and the root itself does not exist yet.
  copyRun.RunBackup();

  EXPECT_EQ(state.BackupDir, dest + "/");
  EXPECT_EQ(readFile(target(a)), "alpha");
  EXPECT_EQ(readFile(target(b)), "beta");  // the subfolder became an item of its own
  EXPECT_EQ(readFile(target(c)), "gamma");
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(window.lstSource_.count(), 3u);
}

TEST_F(CopyRunTest, MissingBackupRootIsMadeOneLevelOnly) {
  file("a.txt", "x");
  addItem((src / "a.txt").string());
  window.txtDest_.setText((root / "no/such/backup").string());
  host.messages.answer(runtime::MsgAnswer::Yes);

  copyRun.RunBackup();

  // The parent is missing: asked about, and Yes outside a file finishes the run.
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "<200>" + errorText("", ""));
  EXPECT_EQ(host.messages.shown[0].style, 20);
  EXPECT_FALSE(fs::exists(root / "no"));
  EXPECT_EQ(window.Label14_.caption(),
            "<188> 0 <189> 0.00 Mb, <191> 09:15 <183> 09:15 | 12/06/26.");
}

TEST_F(CopyRunTest, FolderThatCannotBeMadeFailsTheFileAndNothingLandsInTheCurrentFolder) {
  const std::string a = file("Docs/a.txt", "alpha");
  const std::string b = file("z.txt", "beta");
  addItem(a);
  addItem(b);
  // A file where the mirror of Docs should be.
  testing::writeFile(mirrored(dest + "/", (src / "Docs").string()), "in the way");
  const fs::path work = root / "cwd";
  fs::create_directories(work);
  const fs::path before = fs::current_path();
  fs::current_path(work);
  host.messages.answer(runtime::MsgAnswer::No);

  copyRun.RunBackup();
  fs::current_path(before);

  ASSERT_EQ(host.messages.shown.size(), 2u);
  EXPECT_TRUE(host.messages.shown[0].text.starts_with("<177> '"));
  EXPECT_EQ(host.messages.shown[1].text, "<200>" + errorText(a, target(a)));
  EXPECT_TRUE(fs::is_empty(work));
  // No finished the run: the next file was not copied either.
  EXPECT_FALSE(fs::exists(target(b)));
}

}  // namespace
}  // namespace ferrowick::engine
