#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "CopyRunFixture.h"
#include "runtime/Faults.h"

namespace ferrowick::engine {
namespace {

using testing::readFile;

fs::path mirror(const std::string& dest, const fs::path& folder) {
  return fs::path(dest) / folder.relative_path();
}

// A link anywhere in the mirrored path, to a folder outside the backup or to another
// source folder, is a folder that cannot be made: nothing goes through it.
TEST_F(CopyRunTest, ALinkInTheMirroredPathIsNeverFollowed) {
  const std::string a = file("A/report.txt", "ours");
  const fs::path mirrored = mirror(dest, src / "A");
  const fs::path outside = root / "outside";
  // Where in the backup the link stands, and what it leads to.
  const std::tuple<const char*, fs::path, fs::path> cases[] = {
      {"at the mirrored folder", mirrored, outside},
      {"at a level above it", mirrored.parent_path(), outside},
      {"at the first level below the backup", fs::path(dest) / *src.relative_path().begin(),
       outside},
      {"to another source folder", mirrored, src / "B"},
  };
  for (const auto& [name, link, to] : cases) {
    SCOPED_TRACE(name);
    fs::remove_all(dest);
    fs::remove_all(outside);
    // Where the copy would land if the link were followed.
    const fs::path lured = to / fs::relative(mirrored / "report.txt", link);
    testing::writeFile(lured, "theirs");
    fs::create_directories(link.parent_path());
    fs::create_directory_symlink(to, link);
    window.lstSource_.clear();
    addItem(a);
    host.messages.shown.clear();

    copyRun.RunBackup();

    EXPECT_EQ(readFile(lured), "theirs");
    ASSERT_EQ(host.messages.shown.size(), 2u);
    EXPECT_EQ(host.messages.shown[0].text, "<177> '" + mirrored.string() + "'\r");
    EXPECT_EQ(window.Label14_.caption(), summary(0));
    fs::remove(link);
  }
}

// Another thread swaps a mirrored folder for a link and back while the run goes on:
// whatever it catches, no copy ever lands outside the backup.
TEST_F(CopyRunTest, LinksSwappedInDuringARunNeverCarryACopyOutside) {
  constexpr int kFolders = 150, kFiles = 20;
  for (int f = 0; f < kFolders; ++f) {
    const std::string folder = "F/d" + std::to_string(f);
    for (int n = 0; n < kFiles; ++n) file(folder + "/" + std::to_string(n), "x");
    addItem((src / folder).string() + "/*.*");
  }
  const fs::path swapped = mirror(dest, src / "F"), aside = swapped.string() + ".aside";
  const fs::path outside = root / "outside";
  fs::create_directories(swapped);
  fs::create_directories(outside);
  for (int n = 0; n < 100000; ++n) host.messages.answer(runtime::MsgAnswer::Yes);

  std::atomic<bool> done{false};
  int swaps = 0;
  std::thread swapper([&] {
    while (!done && swaps < 400) {
      if (::rename(swapped.c_str(), aside.c_str()) != 0) continue;
      ::symlink(outside.c_str(), swapped.c_str());
      std::this_thread::yield();
      ::unlink(swapped.c_str());
      ::rename(aside.c_str(), swapped.c_str());
      ++swaps;
    }
  });
  copyRun.RunBackup();
  done = true;
  swapper.join();

  EXPECT_GT(swaps, 0);
  EXPECT_TRUE(fs::is_empty(outside));
}

// A target that is the source itself, however the destination spells it, is error 75's
// box, and the file keeps its mode, content and time; a "." or ".." level in the
// destination is refused before anything is made.
TEST_F(CopyRunTest, ATargetThatIsItsOwnSourceIsNeverTouched) {
  const std::string a = file("own.txt", "mine");
  addItem(a);
  const auto stamp = fs::last_write_time(a) - std::chrono::hours(5);
  fs::last_write_time(a, stamp);
  const std::string dotted = dest + "/../../..";
  const std::tuple<std::string, fs::perms, std::string> cases[] = {
      {"/", fs::perms{0444}, "YesNo+Critical 75: "},
      {"/", fs::perms{0644}, "YesNo+Critical 75: "},
      {dotted, fs::perms{0444}, "Exclamation <194>\n\n" + dotted},
  };
  for (const auto& [destination, mode, box] : cases) {
    SCOPED_TRACE(destination);
    fs::permissions(a, mode);
    window.txtDest_.setText(destination);
    host.messages.shown.clear();

    copyRun.RunBackup();

    ASSERT_EQ(shown().size(), 1u);
    EXPECT_TRUE(shown()[0].starts_with(box)) << shown()[0];
    EXPECT_EQ(fs::status(a).permissions(), mode);
    EXPECT_EQ(readFile(a), "mine");
    EXPECT_EQ(fs::last_write_time(a), stamp);
  }
  EXPECT_FALSE(fs::exists(dest));
}

// A backup folder that cannot be made, for too long a name or a missing parent (it is
// made one level only), is a box naming it; Yes tries again, and nothing is made.
TEST_F(CopyRunTest, ABackupFolderThatCannotBeMadeIsABoxNamingIt) {
  addItem(file("a.txt", "alpha"));
  const std::string tooLong = dest + "/" + std::string(300, 'c');
  for (const std::string& destination : {tooLong, (root / "no/such/backup").string()}) {
    window.txtDest_.setText(destination);
    host.messages.shown.clear();
    host.messages.answer(runtime::MsgAnswer::Yes);
    host.messages.answer(runtime::MsgAnswer::No);
    copyRun.RunBackup();
    EXPECT_EQ(shown(), Strings(2, "YesNo+Critical <200>" + errorText("", destination)));
    EXPECT_EQ(window.Label14_.caption(), summary(0));
  }
  EXPECT_FALSE(fs::exists(dest));
  EXPECT_FALSE(fs::exists(root / "no"));
}

// The copies are on the disk before the summary: a failed flush is reported like a
// failed copy, and the summary follows it.
TEST_F(CopyRunTest, AFailedFlushIsReportedBeforeTheSummary) {
  addItem(file("a.txt", "alpha"));
  fs.faults().inject(runtime::FaultPoint::Flush, runtime::Err::DeviceIOError);
  std::string labelAtBox;
  host.messages.whileOpen = [&](const auto&) { labelAtBox = window.Label14_.caption(); };

  copyRun.RunBackup();

  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0], "YesNo+Critical <196>" + errorText("", dest + "/"));
  EXPECT_NE(labelAtBox, summary(1));
  EXPECT_EQ(window.Label14_.caption(), summary(1));
  const std::string log = readFile(logPath());
  const auto error = log.find("ERROR: 57 - "), total = log.find(summary(1));
  EXPECT_TRUE(error != std::string::npos && total != std::string::npos && error < total) << log;
}

TEST_F(CopyRunTest, RelativeDestinationOrFolderThatCannotBeMadeFailsAndNothingLandsInTheCwd) {
  const std::string a = file("Docs/a.txt", "alpha");
  addItem(a);
  addItem(file("z.txt", "beta"));
  const fs::path work = root / "cwd", before = fs::current_path();
  fs::create_directories(work);
  fs::current_path(work);
  window.txtDest_.setText("relbackup");
  copyRun.RunBackup();
  EXPECT_EQ(shown(), Strings{"Critical <200>\n\nrelbackup"});

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
