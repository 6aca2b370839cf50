#include <gtest/gtest.h>

#include "SettingsFixture.h"
#include "SourcesRig.h"
#include "engine/RunFileList.h"

namespace ferrowick::engine::testing {
namespace {

using ferrowick::testing::writeFile;
using Strings = std::vector<std::string>;

class RunFileListTest : public ::testing::Test {
 protected:
  // The list's paths below the sandbox tree, empty slots included.
  Strings paths() const {
    Strings all;
    for (const auto& entry : rig.state.SourceFiles) {
      all.push_back(fs::path(entry.Path).lexically_relative(rig.root).string());
    }
    return all;
  }
  // Makes `folder` with just these files, each holding its own name; gives them in listing order.
  Strings folderWith(const std::string& folder, const Strings& names) const {
    for (const auto& name : names) writeFile(rig.root / folder / name, name);
    Strings listed;
    for (const auto& name : systemOrder(rig.root / folder)) listed.push_back(folder + "/" + name);
    return listed;
  }
  void addFile(const std::string& file) { runFiles.AddSourceFile((rig.root / file).string()); }
  void addFolder(const std::string& dir) { runFiles.AddSourceFolderFiles((rig.root / dir) / ""); }

  SourcesRig rig;
  RunFileList runFiles{rig.ctx};
};

TEST_F(RunFileListTest, FilesAndFoldersKeepTheirOrderAndEachFolderEndsInASlot) {
  writeFile(rig.root / "single.doc", "");
  fs::resize_file(rig.root / "single.doc", 5ull << 30);  // beyond 32 bits, sparse
  const Strings three = folderWith("three", {"x.txt", "y", "z.bin"});
  fs::permissions(rig.root / "three/y", fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directories(rig.root / "none");
  const Strings two = folderWith("two", {"a", "b"});
  addFile("single.doc");
  addFolder("three");
  addFolder("none");
  runFiles.AddSourceFolderFiles((rig.root / "two/*").string());  // a pattern is taken as it is

  Strings expected{"single.doc"};
  for (const Strings& part : {three, Strings{""}, two, Strings{""}})
    expected.insert(expected.end(), part.begin(), part.end());
  EXPECT_EQ(paths(), expected);
  for (const auto& entry : rig.state.SourceFiles) {
    const std::string name = fs::path(entry.Path).filename();
    EXPECT_EQ(entry.Size, name == "single.doc" ? 5ull << 30 : name.size()) << entry.Path;
  }
  EXPECT_TRUE(rig.host.messages.shown.empty());
  runFiles.Reset();
  EXPECT_TRUE(paths() == Strings{""} && rig.state.SourceFiles[0].Size == 0u);
}

TEST_F(RunFileListTest, FailuresKeepWhatCameBeforeAndFolderFailuresShowNumberColonText) {
  EXPECT_EQ(raisedError([&] { addFile("missing.txt"); }), runtime::Err::FileNotFound);
  // Left in the last slot, which no reader visits; the next entry takes its place.
  EXPECT_EQ(paths(), Strings{"missing.txt"});
  writeFile(rig.root / "first.txt", "f");
  addFile("first.txt");
  rig.fs.faults().inject(runtime::FaultPoint::List, runtime::Err::DeviceIOError, "/bad/");
  addFolder("bad");
  EXPECT_EQ(boxesShown(rig.host.messages),
            Strings{shownBox(runtime::MsgStyle::Critical, "57:Device I/O error")});
  EXPECT_EQ(paths(), (Strings{"first.txt", "", ""}));

  // A length failure ends the folder; the failed file is left in the last slot.
  runFiles.Reset();
  const Strings order = folderWith("f", {"a", "b", "c"});
  rig.fs.faults().inject(runtime::FaultPoint::Length, runtime::Err::PermissionDenied, "/f/", 1, 1);
  addFolder("f");
  EXPECT_EQ(rig.host.messages.shown.back().text, "70:Permission denied");
  EXPECT_EQ(paths(), (Strings{order[0], order[1]}));
}

// Far more text than one block holds, lengths of every width, folders that come back.
TEST(RunFileListTable, ReadsBackEverySlotAsWritten) {
  RunFileListTable table;
  std::vector<SourceFileEntry> written;
  for (std::uint64_t n = 0; n < 70000; ++n) {
    const std::string folder = n % 7 == 0 ? "" : "/d" + std::to_string(n / 1000 % 3) + "/";
    SourceFileEntry entry{
        n % 11 == 0 ? "" : folder + std::string(n % 40, 'x') + std::to_string(n),
        n % 5 == 0 ? 0 : (n * 2654435761u) << (n % 33),
        n % 3 == 0 ? std::optional<unsigned>(n % 2 == 0 ? 33u : 0u) : std::nullopt};
    if (entry.Path.empty()) entry = {};
    table.put(table.size() - 1, entry.Path, entry.Size, entry.Attributes);
    table.grow();
    written.push_back(entry);
  }
  ASSERT_EQ(table.size(), written.size() + 1);
  std::size_t slot = 0;
  for (const SourceFileEntry& entry : table) {
    const SourceFileEntry expected = slot < written.size() ? written[slot] : SourceFileEntry{};
    ASSERT_TRUE(entry.Path == expected.Path && entry.Size == expected.Size &&
                entry.Attributes == expected.Attributes)
        << slot;
    ++slot;
  }
  table.put(table.size() - 2, "/again/y", 9);  // the slot before the last is written again
  EXPECT_EQ(table[table.size() - 2].Path, "/again/y");
  table.reset();
  EXPECT_TRUE(table.size() == 1 && table[0].Path.empty());
}

}  // namespace
}  // namespace ferrowick::engine::testing
