#include <gtest/gtest.h>

#include <algorithm>

#include "SettingsFixture.h"
#include "SourcesRig.h"
#include "engine/SourceList.h"

namespace ferrowick::engine::testing {
namespace {

using Strings = std::vector<std::string>;

class SourceListTest : public ::testing::Test {
 protected:
  // Plain folders beside a hidden one and a link, which the walk skips, and one without
  // its write bit, which it walks like any other.
  void SetUp() override {
    for (const char* path : {"p/p1/deep", "p/p2", "q", "r", "p/.hid/h1", "p/ro/r1"}) {
      fs::create_directories(data / path);
    }
    fs::permissions(data / "p/ro", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink(data / "q", data / "p/link");
  }

  // The walk's items, the plain folders only.
  Strings walkItems() const {
    Strings order{folderItem(data)};
    for (const char* below : {"p", "p/p1", "p/p1/deep", "p/p2", "p/ro", "p/ro/r1", "q", "r"})
      order.push_back(item(below));
    return order;
  }
  std::string item(const char* below) const { return folderItem(data / below); }
  static Strings sorted(Strings items) {
    std::ranges::stable_sort(items, runtime::sortsBefore);
    return items;
  }
  static std::string duplicate(const std::string& item) {
    return shownBox(runtime::MsgIcon::Exclamation, std::string(kDuplicateText) + "\n\n" + item);
  }
  void addItems(const Strings& items) {
    for (const auto& each : items) rig.window.lstSource_.addItem(each);
  }
  void addFolder(const std::string& folder, bool withSubfolders) {
    rig.window.dirSource_.setPath(folder);
    sources.AddSelectedSources(false, withSubfolders);
  }

  SourcesRig rig;
  SourceList sources{rig.ctx};
  fs::path data = rig.root / "data";
};

TEST_F(SourceListTest, SubfoldersComeBeforeTheFolderInPreOrderAndAFailureEndsTheWork) {
  const Strings walk = walkItems();
  addItems({item("p/p1"), item("p/p1/deep"), folderItem(data)});
  addFolder(data.string() + "/", true);  // a trailing separator stays single
  EXPECT_EQ(rig.host.messages.all(), (Strings{duplicate(item("p/p1")), duplicate(item("p/p1/deep")),
                                              duplicate(folderItem(data))}));
  EXPECT_EQ(rig.items(), sorted(walk));
  EXPECT_TRUE(rig.state.SubfolderList.empty());

  // A failure ends the work with one critical message, shown while still busy.
  rig.window.lstSource_.clear();
  rig.host.messages.shown.clear();
  rig.fs.faults().inject(runtime::FaultPoint::List, runtime::Err::DeviceIOError, "/p/p1");
  rig.host.messages.whileOpen = [&](const auto&) { EXPECT_TRUE(rig.host.pointer.busy()); };
  addFolder(data.string(), true);
  EXPECT_EQ(rig.host.messages.all(),
            Strings{shownBox(runtime::MsgIcon::Critical, "57\nDevice I/O error")});
  EXPECT_FALSE(rig.host.pointer.busy());
  EXPECT_TRUE(rig.items().empty());
}

TEST_F(SourceListTest, RefreshAddsEveryCurrentSubfolderSilentlyAndExpandsOnlyFolderItems) {
  fs::create_directories(rig.root / "other/o1");
  const std::string fileItem = (rig.root / "other").string();  // a file item is not expanded
  // A hidden folder item is expanded; hidden folders below an item are not. A relative
  // item names no folder and is not walked.
  fs::create_directories(rig.root / "rel/r9");
  addItems({folderItem(data), item("p"), item("q"), fileItem, item("p/.hid"), "rel/*.*"});
  sources.RefreshSourceList();
  Strings expected = walkItems();
  expected.insert(expected.end(), {fileItem, item("p/.hid"), item("p/.hid/h1"), "rel/*.*"});
  EXPECT_EQ(rig.items(), sorted(expected));
  EXPECT_TRUE(rig.host.messages.shown.empty());
}

}  // namespace
}  // namespace ferrowick::engine::testing
