#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "CopyRunFixture.h"

namespace ferrowick::engine {
namespace {

namespace Err = runtime::Err;
using testing::readFile;

class CopyRunSourcesTest : public CopyRunTest {
 protected:
  // The log's lines between the header's empty line and the first file line.
  std::set<std::string> entriesAfterHeader() const {
    const std::string log = readFile(logPath());
    std::set<std::string> entries;
    std::size_t at = header.size();
    for (std::size_t end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
      std::string text = log.substr(at, end - at);
      if (!text.starts_with("ERROR: ")) break;
      entries.insert(std::move(text));
    }
    return entries;
  }
  std::string folderItem(const std::string& relative) const {
    return (relative.empty() ? src.string() : (src / relative).string()) + "/*.*";
  }
};

TEST_F(CopyRunSourcesTest, AnItemThatCannotBeReadCostsThatItemOnly) {
  const std::string kept = file("tree/kept.txt", "k");
  const std::string deep = file("tree/sub/deep.txt", "d");
  file("tree/locked/hidden.txt", "l");
  const std::string lone = file("lone.txt", "one");
  const std::string noFolder = (src / "removed/x.txt").string();
  const std::string loop = (src / "loop").string();
  fs::create_symlink(loop, loop);
  const std::string gone = (src / "vanished/").string();
  for (const std::string& each : {folderItem("tree"), lone, noFolder, loop, gone + "*.*",
                                  std::string("rel/*.*"), std::string("rel.txt")})
    addItem(each);
  // Unreadable at every look, as it would be for anyone but root.
  const std::string locked = (src / "tree/locked/").string();
  fs.faults().inject(runtime::FaultPoint::List, Err::PermissionDenied, "/tree/locked/", 9);

  copyRun.RunBackup();

  const std::vector<std::pair<std::string, int>> failed = {
      {locked, Err::PermissionDenied}, {noFolder, Err::PathNotFound},
      {loop, Err::PathNotFound},       {gone, Err::PathNotFound},
      {"rel/", Err::PathNotFound},     {"rel.txt", Err::FileNotFound},
  };
  std::set<std::string> boxes, entries;
  for (const auto& [path, number] : failed) {
    const char* heading = number == Err::PermissionDenied ? "<198>"
                          : number == Err::PathNotFound   ? "<200>"
                                                          : "<195>";
    boxes.insert("Exclamation " + std::string(heading) + "\n\n" + path);
    entries.insert("ERROR: " + std::to_string(number) + " - " + runtime::errorDescription(number) +
                   ": " + path);
  }
  const Strings shownBoxes = shown();
  EXPECT_EQ(std::set<std::string>(shownBoxes.begin(), shownBoxes.end()), boxes);
  EXPECT_EQ(shownBoxes.size(), failed.size());  // one each
  EXPECT_EQ(entriesAfterHeader(), entries);
  for (const std::string& path : {kept, deep, lone})
    EXPECT_EQ(readFile(target(path)), readFile(path));
  EXPECT_FALSE(fs::exists(target(locked)));
  EXPECT_EQ(window.Label14_.caption(), summary(3));  // the run's own date, not the epoch's
}

TEST_F(CopyRunSourcesTest, DestinationInsideASourceIsNeverBackedUpAgain) {
  const std::string a = file("a.txt", "a");
  const std::string b = file("sub/b.txt", "b");
  addItem(folderItem(""));
  // Reached through a link as well: the walk knows the folder, not its name.
  fs::create_directories(src / "backup");
  fs::create_directory_symlink(src / "backup", root / "to-backup");
  // An item left from before, inside the destination.
  file("backup/old/stale.txt", "s");
  addItem(folderItem("backup/old"));

  for (const std::string& destination :
       {(src / "backup").string(), (root / "to-backup").string()}) {
    window.txtDest_.setText(destination);
    for (int run = 0; run < 3; ++run) {
      copyRun.RunBackup();
      EXPECT_EQ(window.Label14_.caption(), summary(2)) << destination << " run " << run;
    }
    EXPECT_EQ(readFile(destination + a), "a");
    EXPECT_EQ(readFile(destination + b), "b");
  }
  for (std::size_t i = 0; i < window.lstSource_.count(); ++i)
    EXPECT_EQ(window.lstSource_.item(i).find("/backup/tmp"), std::string::npos);
}

TEST_F(CopyRunSourcesTest, LineBreakInANameIsWrittenAsAQuestionMarkInTheLog) {
  const std::string feed = file("a\nb.txt", "1");
  const std::string ret = file("c\rd.txt", "2");
  const std::string missing = (src / "e\nf.txt").string();
  const std::string failing = file("g\nh.txt", "3");
  for (const auto& path : {feed, ret, missing, failing}) addItem(path);
  fs.faults().inject(runtime::FaultPoint::Copy, Err::DeviceIOError, "g\nh");
  host.messages.answer(runtime::MsgAnswer::No);

  copyRun.RunBackup();

  const auto logged = [](std::string path) {
    std::replace_if(
        path.begin(), path.end(), [](char c) { return c == '\n' || c == '\r'; }, '?');
    return path;
  };
  const std::string log = readFile(logPath());
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), std::count(log.begin(), log.end(), '\r'));
  for (const std::string& expected :
       {"ERROR: 53 - File not found: " + logged(missing) + "\r\n",
        logged(feed) + " >> " + logged(target(feed)) + "<184>[OK]\r\n",
        logged(ret) + " >> " + logged(target(ret)) + "<184>[OK]\r\n",
        "ERROR: 57 - Device I/O error: " + logged(failing) + "\r\n"})
    EXPECT_NE(log.find(expected), std::string::npos) << expected;
  EXPECT_EQ(readFile(target(feed)), "1");  // copied under its real name
  EXPECT_EQ(readFile(target(ret)), "2");
}

TEST_F(CopyRunSourcesTest, FolderWithoutItsWriteBitIsBackedUpWithAllBelowIt) {
  const std::string top = file("shared/top.txt", "t");
  const std::string below = file("shared/inner/below.txt", "b");
  for (const char* folder : {"shared/inner", "shared"})
    ASSERT_EQ(::chmod((src / folder).c_str(), 0555), 0);
  addItem(folderItem(""));

  copyRun.RunBackup();

  EXPECT_EQ(readFile(target(top)), "t");
  EXPECT_EQ(readFile(target(below)), "b");
  EXPECT_EQ(fs.getAttributes((src / "shared").string()), runtime::Attr::Directory);
}

TEST_F(CopyRunSourcesTest, DamagedArchiveDatabaseIsSetAsideAndTheRunCopiesEveryFile) {
  const fs::path database = root / "archive.db";
  testing::writeFile(database, std::string(3000, '\x7f'));
  const std::string a = file("a.txt", "a"), b = file("b.txt", "b");
  addItem(folderItem(""));
  window.chkIncr_.setValue(runtime::CheckState::Checked);

  copyRun.RunBackup();

  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(window.Label14_.caption(), summary(2));
  const std::string log = readFile(logPath());
  const std::string first = "ERROR: 57 - Device I/O error: " + database.string() + " (";
  EXPECT_EQ(log.substr(header.size(), first.size()), first) << log;
  EXPECT_EQ(readFile(database.string() + ".damaged"), std::string(3000, '\x7f'));
  // The new database works: the next run finds both files copied.
  copyRun.RunBackup();
  EXPECT_EQ(window.Label14_.caption(), summary(0));
  EXPECT_EQ(readFile(logPath()).find("ERROR"), std::string::npos);
}

TEST_F(CopyRunSourcesTest, ArchiveThatCannotBeMadeForAFullDiskIsDiskFullNamingTheWholeTarget) {
  const std::string a = file("a.txt", "a");
  addItem(a);
  window.chkIncr_.setValue(runtime::CheckState::Checked);
  fs.faults().inject(runtime::FaultPoint::OpenArchive, Err::DiskFull, "archive.db", 99);
  host.messages.answer(runtime::MsgAnswer::No);

  copyRun.RunBackup();

  EXPECT_EQ(shown(), Strings{"YesNo+Exclamation <197>" + errorText(a, target(a))});
}

}  // namespace
}  // namespace ferrowick::engine
