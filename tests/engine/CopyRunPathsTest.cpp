#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

using testing::readFile;

TEST_F(CopyRunTest, MissingBackupRootIsMadeOneLevelOnly) {
  addItem(file("a.txt", "x"));
  const std::string backup = (root / "no/such/backup").string();
  window.txtDest_.setText(backup);
  host.messages.answer(runtime::MsgAnswer::Yes);

  copyRun.RunBackup();

  // The parent is missing: asked about naming the folder; Yes tries again, No finishes.
  EXPECT_EQ(shown(), Strings(2, "20 <200>" + errorText("", backup)));
  EXPECT_FALSE(fs::exists(root / "no"));
}

// Neither a relative destination nor a folder that cannot be made lands in the current folder.
TEST_F(CopyRunTest, RelativeDestinationOrFolderThatCannotBeMadeFailsAndNothingLandsInTheCwd) {
  const std::string a = file("Docs/a.txt", "alpha");
  addItem(a);
  addItem(file("z.txt", "beta"));
  const fs::path work = root / "cwd", before = fs::current_path();
  fs::create_directories(work);
  fs::current_path(work);
  window.txtDest_.setText("relbackup");
  copyRun.RunBackup();
  EXPECT_EQ(shown(), Strings{"16 <200>\n\nrelbackup"});

  host.messages.shown.clear();
  window.txtDest_.setText(dest);
  testing::writeFile(target((src / "Docs").string()), "in the way");
  host.messages.answer(runtime::MsgAnswer::No);
  copyRun.RunBackup();
  fs::current_path(before);
  ASSERT_EQ(host.messages.shown.size(), 2u);
  EXPECT_TRUE(host.messages.shown[0].text.starts_with("<177> '"));
  EXPECT_EQ(host.messages.shown[1].text, "<200>" + errorText(a, target(a)));
  EXPECT_EQ(window.Label14_.caption(), summary(0));  // No finished the run: z.txt was not copied
  EXPECT_TRUE(fs::is_empty(work));
}

TEST_F(CopyRunTest, DestinationFolderRemovedDuringTheRunIsMadeAgain) {
  const std::string a = file("Docs/a.txt", "alpha"), b = file("Docs/b.txt", "beta");
  addItem(a);
  addItem(b);
  onYield = [&] {
    if (statuses.size() == 2) fs::remove_all(fs::path(target(a)).parent_path());
  };
  copyRun.RunBackup();
  EXPECT_EQ(readFile(target(b)), "beta");
}

TEST_F(CopyRunTest, TemporaryCopiesLeftByAKilledRunAreRemovedAndOnlyThose) {
  const std::string a = file("Docs/a.txt", "alpha");
  addItem(a);
  const fs::path folder = fs::path(target(a)).parent_path();
  const fs::path stale[] = {folder / ".a.txt.ferrowick-Ab12Cd", folder / ".ferrowick-Qw56Er"},
                 live = folder / ".b.txt.ferrowick-Xy34Zq";
  const fs::path others[] = {live, folder / ".a.txt.ferrowick-old"};
  for (const auto& path : stale) testing::writeFile(path, "partial");
  for (const auto& path : others) testing::writeFile(path, "not stale");
  const int writer = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(writer, LOCK_EX), 0);

  copyRun.RunBackup();
  ::close(writer);

  for (const auto& path : stale) EXPECT_FALSE(fs::exists(path)) << path;
  for (const auto& path : others) EXPECT_TRUE(fs::exists(path)) << path;
}

}  // namespace
}  // namespace ferrowick::engine
