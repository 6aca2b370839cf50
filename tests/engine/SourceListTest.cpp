#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <set>

#include "engine/SourceList.h"
#include "runtime/RuntimeError.h"
#include "SourcesRig.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::MsgStyle::Critical;
using runtime::MsgStyle::Exclamation;

class SourceListTest : public ::testing::Test {
 protected:
  // data/ holds plain folders at several depths beside folders the walk must not enter:
  // a hidden one, a read-only one and a link to a folder, each with a plain folder below.
  void makeTree() {
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
  std::vector<std::string> preOrder(const fs::path& folder) const {
    std::vector<std::string> order;
    std::function<void(const fs::path&)> visit = [&](const fs::path& parent) {
      for (const std::string& name : systemOrder(parent)) {
        const fs::path child = parent / name;
        if (!plainFolders.contains(child.string())) continue;
        order.push_back(child.string());
        visit(child);
      }
    };
    visit(folder);
    return order;
  }

  std::vector<std::string> asItems(const std::vector<std::string>& folders) const {
    std::vector<std::string> all;
    for (const auto& folder : folders) all.push_back(folder + "/*.*");
    return all;
  }

  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : rig.scripted.messages.shown) texts.push_back(box.text);
    return texts;
  }

  std::string duplicateText(const std::string& item) const {
    return std::string(kDuplicateText) + "\n\n" + item;
  }

  static std::vector<std::string> sorted(std::vector<std::string> items) {
    std::stable_sort(items.begin(), items.end(), runtime::sortsBefore);
    return items;
  }

  SourcesRig rig;
  SourceList sources{rig.ctx};
  fs::path data = rig.root / "data";
  std::set<std::string> plainFolders;
};

TEST_F(SourceListTest, SameFolderTwiceGivesOneDuplicateMessage) {
  fs::create_directories(data);
  rig.view.dirSource_.setPath(data.string());
  sources.AddSelectedSources(false, false);
  EXPECT_EQ(rig.items(), std::vector<std::string>{folderItem(data)});
  EXPECT_TRUE(rig.scripted.messages.shown.empty());

  rig.view.dirSource_.setPath(data.string() + "/");  // a trailing separator stays single
  sources.AddSelectedSources(false, false);
  EXPECT_EQ(rig.items(), std::vector<std::string>{folderItem(data)});
  ASSERT_EQ(rig.scripted.messages.shown.size(), 1u);
  const auto& box = rig.scripted.messages.shown[0];
  EXPECT_EQ(box.text, duplicateText(folderItem(data)));
  EXPECT_EQ(box.style, Exclamation);
  EXPECT_EQ(box.caption, "Ferrowick");
  EXPECT_EQ(rig.scripted.pointer.changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(SourceListTest, SubfoldersComeBeforeTheFolderInPreOrderWithDuplicatesReported) {
  makeTree();
  const std::vector<std::string> walk = preOrder(data);
  ASSERT_EQ(walk.size(), plainFolders.size());
  // Two subfolders are items already; they are reported in walk order.
  rig.view.lstSource_.addItem(folderItem(data / "q"));
  rig.view.lstSource_.addItem(folderItem(data / "p/p1/deep"));
  std::vector<std::string> expectedMessages;
  for (const auto& item : asItems(walk)) {
    if (item == folderItem(data / "q") || item == folderItem(data / "p/p1/deep")) {
      expectedMessages.push_back(duplicateText(item));
    }
  }

  rig.view.dirSource_.setPath(data.string());
  sources.AddSelectedSources(false, true);

  EXPECT_EQ(shownTexts(), expectedMessages);
  std::vector<std::string> expected = asItems(walk);
  expected.push_back(folderItem(data));
  EXPECT_EQ(rig.items(), sorted(expected));
  EXPECT_TRUE(rig.state.SubfolderList.empty());
}

TEST_F(SourceListTest, TheFolderItselfIsReportedLastWhenPresent) {
  makeTree();
  rig.view.lstSource_.addItem(folderItem(data));
  rig.view.lstSource_.addItem(folderItem(data / "r"));
  rig.view.dirSource_.setPath(data.string());
  sources.AddSelectedSources(false, true);
  EXPECT_EQ(shownTexts(), (std::vector<std::string>{duplicateText(folderItem(data / "r")),
                                                    duplicateText(folderItem(data))}));
}

TEST_F(SourceListTest, WalkSkipsHiddenReadOnlyAndLinkedFoldersAndAllBelowThem) {
  makeTree();
  sources.CollectSubfolders(data.string() + "/");
  // The expected walk holds only the plain folders: nothing at or below .hid, ro, link.
  EXPECT_EQ(rig.state.SubfolderList, preOrder(data));
}

TEST_F(SourceListTest, WalkRecordsAPathWithoutSeparatorAndIgnoresAnEmptyOne) {
  makeTree();
  sources.CollectSubfolders((data / "p/p1").string());
  EXPECT_EQ(rig.state.SubfolderList,
            (std::vector<std::string>{(data / "p/p1").string(), (data / "p/p1/deep").string()}));
  rig.state.SubfolderList.clear();
  sources.CollectSubfolders("");
  EXPECT_TRUE(rig.state.SubfolderList.empty());
}

TEST_F(SourceListTest, RootFolderGivesTheRootItem) {
  rig.view.dirSource_.setPath("/");
  sources.AddSelectedSources(false, false);
  rig.view.fileSource_.addItem("vmlinuz");
  rig.view.fileSource_.setSelected(0, true);
  sources.AddSelectedSources(true, false);
  EXPECT_EQ(rig.items(), (std::vector<std::string>{"/*.*", "/vmlinuz"}));
}

TEST_F(SourceListTest, SelectedFilesBecomeFileItems) {
  rig.view.dirSource_.setPath("/home/ann/Docs");
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) rig.view.fileSource_.addItem(name);

  sources.AddSelectedSources(true, true);  // nothing selected: nothing added, nothing shown
  EXPECT_TRUE(rig.items().empty());
  EXPECT_TRUE(rig.scripted.messages.shown.empty());

  rig.view.fileSource_.setSelected(0, true);
  rig.view.fileSource_.setSelected(2, true);
  sources.AddSelectedSources(true, false);
  EXPECT_EQ(rig.items(),
            (std::vector<std::string>{"/home/ann/Docs/a.txt", "/home/ann/Docs/c.txt"}));

  rig.view.fileSource_.setSelected(1, true);
  sources.AddSelectedSources(true, false);
  EXPECT_EQ(shownTexts(), (std::vector<std::string>{duplicateText("/home/ann/Docs/a.txt"),
                                                    duplicateText("/home/ann/Docs/c.txt")}));
  EXPECT_EQ(rig.items().size(), 3u);
}

TEST_F(SourceListTest, ItemsDifferingOnlyInCaseAreBothKept) {
  fs::create_directories(rig.root / "Data");
  fs::create_directories(rig.root / "DATA");
  rig.view.lstSource_.addItem(folderItem(rig.root / "DATA"));
  EXPECT_FALSE(sources.IsInSourceList(folderItem(rig.root / "Data")));
  EXPECT_TRUE(sources.IsInSourceList(folderItem(rig.root / "DATA")));
  rig.view.dirSource_.setPath((rig.root / "Data").string());
  sources.AddSelectedSources(false, true);
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
  EXPECT_EQ(rig.items().size(), 2u);
  rig.view.lstSource_.clear();
  EXPECT_FALSE(sources.IsInSourceList(folderItem(rig.root / "DATA")));
}

TEST_F(SourceListTest, ListChangedWhileAMessageIsOpenIsSeenAfterIt) {
  makeTree();
  for (const char* name : {"p", "q", "r"}) rig.view.lstSource_.addItem(folderItem(data / name));
  // Another handler empties the list while the first duplicate message is open: the
  // later candidates, duplicates before, are then added without a message.
  rig.scripted.messages.whileOpen = [&](const auto&) { rig.view.lstSource_.clear(); };
  rig.view.dirSource_.setPath(data.string());
  sources.AddSelectedSources(false, true);

  const std::vector<std::string> walk = asItems(preOrder(data));
  const auto first = std::find_if(walk.begin(), walk.end(), [&](const std::string& item) {
    return item == folderItem(data / "p") || item == folderItem(data / "q") ||
           item == folderItem(data / "r");
  });
  ASSERT_NE(first, walk.end());
  EXPECT_EQ(shownTexts(), std::vector<std::string>{duplicateText(*first)});
  std::vector<std::string> expected(first + 1, walk.end());
  expected.push_back(folderItem(data));
  EXPECT_EQ(rig.items(), sorted(expected));
}

TEST_F(SourceListTest, FailureEndsTheWorkWithOneCriticalMessage) {
  makeTree();
  rig.files.faults().inject("list", runtime::Err::DeviceIOError, "/p/p1");
  bool busyWhileShown = false;
  rig.scripted.messages.whileOpen = [&](const auto&) {
    busyWhileShown = rig.scripted.pointer.busy();
  };
  rig.view.dirSource_.setPath(data.string());
  sources.AddSelectedSources(false, true);
  ASSERT_EQ(rig.scripted.messages.shown.size(), 1u);
  EXPECT_EQ(rig.scripted.messages.shown[0].text, "57\nDevice I/O error");
  EXPECT_EQ(rig.scripted.messages.shown[0].style, Critical);
  EXPECT_EQ(rig.scripted.messages.shown[0].caption, "Ferrowick");
  EXPECT_TRUE(busyWhileShown);
  EXPECT_FALSE(rig.scripted.pointer.busy());
  EXPECT_TRUE(rig.items().empty());
  EXPECT_TRUE(rig.state.SubfolderList.empty());

  rig.files.faults().inject("attributes", runtime::Err::PermissionDenied, "/q");
  sources.AddSelectedSources(false, true);
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "70\nPermission denied");
  EXPECT_TRUE(rig.items().empty());
}

TEST_F(SourceListTest, RefreshAddsEveryCurrentSubfolderSilently) {
  makeTree();
  fs::create_directories(rig.root / "other/o1");
  const std::string fileItem = (rig.root / "other/o1").string();  // a file item is not expanded
  rig.view.lstSource_.addItem(folderItem(data));
  rig.view.lstSource_.addItem(folderItem(data / "p"));
  rig.view.lstSource_.addItem(folderItem(data / "q"));
  rig.view.lstSource_.addItem(fileItem);
  sources.RefreshSourceList();

  std::vector<std::string> expected = asItems(preOrder(data));
  expected.push_back(folderItem(data));
  expected.push_back(fileItem);
  EXPECT_EQ(rig.items(), sorted(expected));
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
  EXPECT_TRUE(rig.state.SubfolderList.empty());

  // A folder made later is picked up; an item whose folder is gone stays.
  fs::create_directories(data / "q/new");
  fs::remove_all(data / "r");
  sources.RefreshSourceList();
  expected.push_back(folderItem(data / "q/new"));
  EXPECT_EQ(rig.items(), sorted(expected));
}

TEST_F(SourceListTest, RefreshExpandsAHiddenFolderItemButNotHiddenSubfolders) {
  makeTree();
  rig.view.lstSource_.addItem(folderItem(data / "p/.hid"));
  rig.view.lstSource_.addItem(folderItem(data / "p/ro"));
  sources.RefreshSourceList();
  EXPECT_EQ(rig.items(), sorted({folderItem(data / "p/.hid"), folderItem(data / "p/.hid/h1"),
                                 folderItem(data / "p/ro"), folderItem(data / "p/ro/r1")}));

  rig.view.lstSource_.clear();
  sources.RefreshSourceList();
  EXPECT_TRUE(rig.items().empty());
}

TEST_F(SourceListTest, RefreshFailureReachesTheCallerAndKeepsEarlierAdditions) {
  makeTree();
  fs::create_directories(rig.root / "zz/z1");
  rig.view.lstSource_.addItem(folderItem(data));
  rig.view.lstSource_.addItem(folderItem(rig.root / "zz"));
  rig.files.faults().inject("list", runtime::Err::DeviceUnavailable, "/zz");
  try {
    sources.RefreshSourceList();
    ADD_FAILURE() << "no failure";
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), runtime::Err::DeviceUnavailable);
  }
  std::vector<std::string> expected = asItems(preOrder(data));
  expected.push_back(folderItem(data));
  expected.push_back(folderItem(rig.root / "zz"));
  EXPECT_EQ(rig.items(), sorted(expected));
  EXPECT_TRUE(rig.state.SubfolderList.empty());
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST_F(SourceListTest, RefreshWalksTheRootItem) {
  rig.view.lstSource_.addItem("/*.*");
  // The first listing fails, so the real root is never walked; that it is asked for at
  // all shows the root item is expanded like any other folder item.
  rig.files.faults().inject("list", runtime::Err::DeviceUnavailable, "/");
  EXPECT_THROW(sources.RefreshSourceList(), runtime::RuntimeError);
  EXPECT_EQ(rig.items(), std::vector<std::string>{"/*.*"});
}

}  // namespace
}  // namespace ferrowick::engine::testing
