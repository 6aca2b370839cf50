#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <set>

#include "SettingsFixture.h"
#include "SourcesRig.h"
#include "engine/SourceList.h"

namespace ferrowick::engine::testing {
namespace {

using Strings = std::vector<std::string>;

class SourceListTest : public ::testing::Test {
 protected:
  // data/ holds plain folders at several depths beside folders the walk must not enter:
  // a hidden one, a read-only one and a link to a folder, each with a plain folder below.
  void SetUp() override {
    for (const char* plain : {"p", "p/p1", "p/p1/deep", "p/p2", "q", "r"}) {
      fs::create_directories(data / plain);
      plainFolders.insert((data / plain).string());
    }
    fs::create_directories(data / "p/.hid/h1");
    fs::create_directories(data / "p/ro/r1");
    fs::permissions(data / "p/ro", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink(data / "q", data / "p/link");
    ferrowick::testing::writeFile(data / "file.txt", "x");
    ferrowick::testing::writeFile(data / ".hiddenfile", "x");
    ASSERT_EQ(::mkfifo((data / "fifo").c_str(), 0644), 0);
  }

  // Every plain folder below `folder`, each before its own subfolders, siblings in the
  // order the file system lists them.
  Strings preOrder(const fs::path& folder) const {
    Strings order;
    std::function<void(const fs::path&)> visit = [&](const fs::path& parent) {
      for (const std::string& name : systemOrder(parent)) {
        if (!plainFolders.contains((parent / name).string())) continue;
        order.push_back((parent / name).string());
        visit(parent / name);
      }
    };
    visit(folder);
    return order;
  }
  // The items of the walk below data/, then data/'s own item.
  Strings walkItems() const {
    Strings all;
    for (const auto& found : preOrder(data)) all.push_back(found + "/*.*");
    all.push_back(folderItem(data));
    return all;
  }
  std::string item(const char* below) const { return folderItem(data / below); }
  static Strings sorted(Strings items) {
    std::stable_sort(items.begin(), items.end(), runtime::sortsBefore);
    return items;
  }
  static std::string duplicate(const std::string& item) {
    return shownBox(runtime::MsgStyle::Exclamation, std::string(kDuplicateText) + "\n\n" + item);
  }
  void addItems(const Strings& items) {
    for (const auto& each : items) rig.view.lstSource_.addItem(each);
  }
  void addFolder(const std::string& folder, bool withSubfolders) {
    rig.view.dirSource_.setPath(folder);
    sources.AddSelectedSources(false, withSubfolders);
  }
  Strings shown() const { return boxesShown(rig.scripted.messages); }

  SourcesRig rig;
  SourceList sources{rig.ctx};
  fs::path data = rig.root / "data";
  std::set<std::string> plainFolders;
};

TEST_F(SourceListTest, SameFolderTwiceGivesOneDuplicateMessage) {
  addFolder(data.string(), false);
  addFolder(data.string() + "/", false);  // a trailing separator stays single
  EXPECT_EQ(rig.items(), Strings{folderItem(data)});
  EXPECT_EQ(shown(), Strings{duplicate(folderItem(data))});
  EXPECT_EQ(rig.scripted.pointer.changes, (std::vector<bool>{true, false, true, false}));
}

// The walk skips hidden, read-only and linked folders and all below them: the expected
// walk holds the plain folders only.
TEST_F(SourceListTest, SubfoldersComeBeforeTheFolderInPreOrderWithDuplicatesReported) {
  const Strings walk = walkItems();
  ASSERT_EQ(walk.size(), plainFolders.size() + 1);
  const std::set<std::string> present{item("q"), item("p/p1/deep"), folderItem(data)};
  addItems({present.begin(), present.end()});
  Strings expected;
  for (const auto& each : walk) {
    if (present.contains(each)) expected.push_back(duplicate(each));
  }
  addFolder(data.string(), true);
  EXPECT_EQ(shown(), expected);
  EXPECT_EQ(rig.items(), sorted(walk));
  EXPECT_TRUE(rig.state.SubfolderList.empty());
}

TEST_F(SourceListTest, WalkRecordsAPathWithoutSeparatorItselfAndIgnoresAnEmptyOne) {
  sources.CollectSubfolders((data / "p/p1").string());
  sources.CollectSubfolders("");
  EXPECT_EQ(rig.state.SubfolderList,
            (Strings{(data / "p/p1").string(), (data / "p/p1/deep").string()}));
}

TEST_F(SourceListTest, SelectedFilesBecomeFileItems) {
  rig.view.dirSource_.setPath("/home/ann/Docs");
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) rig.view.fileSource_.addItem(name);
  sources.AddSelectedSources(true, true);  // nothing selected: nothing added, nothing shown
  EXPECT_TRUE(rig.items().empty());
  rig.view.fileSource_.setSelected(0, true);
  rig.view.fileSource_.setSelected(2, true);
  sources.AddSelectedSources(true, false);
  EXPECT_EQ(rig.items(), (Strings{"/home/ann/Docs/a.txt", "/home/ann/Docs/c.txt"}));
  rig.view.fileSource_.setSelected(1, true);
  sources.AddSelectedSources(true, false);
  EXPECT_EQ(shown(), (Strings{duplicate("/home/ann/Docs/a.txt"),
                              duplicate("/home/ann/Docs/c.txt")}));

  // The root gives the root item and root file items.
  rig.view.lstSource_.clear();
  addFolder("/", false);
  sources.AddSelectedSources(true, false);
  EXPECT_EQ(rig.items(), (Strings{"/*.*", "/a.txt", "/b.txt", "/c.txt"}));
}

TEST_F(SourceListTest, ItemsDifferingOnlyInCaseAreBothKept) {
  fs::create_directories(data / "Q");
  addItems({item("Q")});
  EXPECT_FALSE(sources.IsInSourceList(item("q")));
  EXPECT_TRUE(sources.IsInSourceList(item("Q")));
  addFolder((data / "q").string(), false);
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(rig.items().size(), 2u);
  rig.view.lstSource_.clear();
  EXPECT_FALSE(sources.IsInSourceList(item("Q")));
}

TEST_F(SourceListTest, ListChangedWhileAMessageIsOpenIsSeenAfterIt) {
  const std::set<std::string> present{item("p"), item("q"), item("r")};
  addItems({present.begin(), present.end()});
  // Another handler empties the list while the first duplicate message is open: the
  // later candidates, duplicates before, are then added without a message.
  rig.scripted.messages.whileOpen = [&](const auto&) { rig.view.lstSource_.clear(); };
  addFolder(data.string(), true);

  const Strings walk = walkItems();
  const auto first = std::ranges::find_if(walk, [&](auto& each) { return present.contains(each); });
  ASSERT_NE(first, walk.end());
  EXPECT_EQ(shown(), Strings{duplicate(*first)});
  EXPECT_EQ(rig.items(), sorted({first + 1, walk.end()}));
}

TEST_F(SourceListTest, FailureEndsTheWorkWithOneCriticalMessage) {
  rig.files.faults().inject("list", runtime::Err::DeviceIOError, "/p/p1");
  bool busyWhileShown = false;
  rig.scripted.messages.whileOpen = [&](const auto&) {
    busyWhileShown = rig.scripted.pointer.busy();
  };
  addFolder(data.string(), true);
  EXPECT_EQ(shown(), Strings{shownBox(runtime::MsgStyle::Critical, "57\nDevice I/O error")});
  EXPECT_TRUE(busyWhileShown);
  EXPECT_FALSE(rig.scripted.pointer.busy());
  EXPECT_TRUE(rig.items().empty());
  EXPECT_TRUE(rig.state.SubfolderList.empty());

  rig.files.faults().inject("attributes", runtime::Err::PermissionDenied, "/q");
  addFolder(data.string(), true);
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "70\nPermission denied");
  EXPECT_TRUE(rig.items().empty());
}

TEST_F(SourceListTest, RefreshAddsEveryCurrentSubfolderSilently) {
  fs::create_directories(rig.root / "other/o1");
  const std::string fileItem = (rig.root / "other").string();  // a file item is not expanded
  // A hidden or read-only folder item is expanded; such folders below an item are not.
  addItems({folderItem(data), item("p"), item("q"), fileItem, item("p/.hid"), item("p/ro")});
  sources.RefreshSourceList();
  Strings expected = walkItems();
  expected.insert(expected.end(), {fileItem, item("p/.hid"), item("p/.hid/h1"), item("p/ro"),
                                   item("p/ro/r1")});
  EXPECT_EQ(rig.items(), sorted(expected));
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(rig.state.SubfolderList.empty());

  // A folder made later is picked up; an item whose folder is gone stays.
  fs::create_directories(data / "q/new");
  fs::remove_all(data / "r");
  sources.RefreshSourceList();
  expected.push_back(item("q/new"));
  EXPECT_EQ(rig.items(), sorted(expected));
}

TEST_F(SourceListTest, RefreshFailureReachesTheCallerAndKeepsEarlierAdditions) {
  fs::create_directories(rig.root / "zz/z1");
  addItems({folderItem(data), folderItem(rig.root / "zz")});
  rig.files.faults().inject("list", runtime::Err::DeviceUnavailable, "/zz");
  EXPECT_EQ(raisedError([&] { sources.RefreshSourceList(); }), runtime::Err::DeviceUnavailable);
  Strings expected = walkItems();
  expected.push_back(folderItem(rig.root / "zz"));
  EXPECT_EQ(rig.items(), sorted(expected));
  EXPECT_TRUE(rig.state.SubfolderList.empty());
  EXPECT_TRUE(shown().empty());

  // The root item is expanded like any other folder item. Its first listing fails here,
  // so the real root is never walked.
  rig.view.lstSource_.clear();
  addItems({"/*.*"});
  rig.files.faults().inject("list", runtime::Err::DeviceUnavailable, "/");
  EXPECT_EQ(raisedError([&] { sources.RefreshSourceList(); }), runtime::Err::DeviceUnavailable);
  EXPECT_EQ(rig.items(), Strings{"/*.*"});
}

}  // namespace
}  // namespace ferrowick::engine::testing
