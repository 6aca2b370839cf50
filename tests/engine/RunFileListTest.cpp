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
  const Strings two = folderWith("two", {"x.txt", "y"});
  fs::permissions(rig.root / "two/y", fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directories(rig.root / "none");
  addFile("single.doc");
  addFolder("two");
  addFolder("none");
  EXPECT_EQ(paths(), (Strings{"single.doc", two[0], two[1], "", ""}));
  for (const auto& entry : rig.state.SourceFiles) {
    const std::string name = fs::path(entry.Path).filename();
    EXPECT_EQ(entry.Size, name == "single.doc" ? 5ull << 30 : name.size()) << entry.Path;
  }
}

TEST_F(RunFileListTest, FailuresRaiseAndKeepWhatCameBefore) {
  EXPECT_EQ(raisedError([&] { addFile("missing.txt"); }), runtime::Err::FileNotFound);
  // Left in the last slot, which no reader visits; the next entry takes its place.
  EXPECT_EQ(paths(), Strings{"missing.txt"});
  writeFile(rig.root / "first.txt", "f");
  addFile("first.txt");
  rig.fs.faults().inject(runtime::FaultPoint::List, runtime::Err::DeviceIOError, "/bad/");
  EXPECT_EQ(raisedError([&] { addFolder("bad"); }), runtime::Err::DeviceIOError);
  EXPECT_TRUE(rig.host.messages.shown.empty());
  EXPECT_EQ(paths(), (Strings{"first.txt", "", ""}));
}

// Far more text than one block holds, lengths of every width, folders that come back.
TEST(RunFileListTable, ReadsBackEverySlotAsWritten) {
  RunFileListTable table;
  std::vector<SourceFileEntry> written;
  for (std::uint64_t n = 0; n < 70000; ++n) {
    SourceFileEntry entry{n % 11 == 0 ? "" : "/d/" + std::string(n % 40, 'x') + std::to_string(n),
                          n % 11 == 0 ? 0 : (n * 2654435761u) << (n % 33),
                          n % 3 == 0 ? std::optional<unsigned>(33u) : std::nullopt};
    if (entry.Path.empty()) entry = {};
    table.put(table.size() - 1, entry.Path, entry.Size, entry.Attributes);
    table.grow();
    written.push_back(entry);
  }
  written.emplace_back();
  ASSERT_EQ(table.size(), written.size());
  for (std::size_t slot = 0; slot < written.size(); ++slot) {
    const SourceFileEntry &entry = table[slot], &expected = written[slot];
    ASSERT_TRUE(entry.Path == expected.Path && entry.Size == expected.Size &&
                entry.Attributes == expected.Attributes)
        << slot;
  }
}

}  // namespace
}  // namespace ferrowick::engine::testing
