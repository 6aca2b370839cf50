#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

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
  // Makes the files in `folder`, each holding its own name; gives them in listing order.
  Strings folderWith(const std::string& folder, const Strings& names) const {
    for (const auto& name : names) writeFile(rig.root / folder / name, name);
    Strings listed;
    for (const auto& name : systemOrder(rig.root / folder)) {
      if (std::ranges::find(names, name) != names.end()) listed.push_back(folder + "/" + name);
    }
    return listed;
  }
  void addFile(const std::string& file) { runFiles.AddSourceFile((rig.root / file).string()); }
  void addFolder(const std::string& folder) {
    runFiles.AddSourceFolderFiles((rig.root / folder).string() + "/");
  }

  SourcesRig rig;
  RunFileList runFiles{rig.ctx};
};

TEST_F(RunFileListTest, FilesAndFoldersKeepTheirOrderAndEachFolderEndsInASlot) {
  EXPECT_EQ(paths(), Strings{""});
  writeFile(rig.root / "single.doc", "12345");
  const Strings three = folderWith("three", {"x.txt", "y", "z.bin"});
  const Strings one = folderWith("one", {"only.txt"});
  fs::create_directories(rig.root / "none");
  const Strings two = folderWith("two", {"a", "b"});
  addFile("single.doc");
  addFolder("three");
  addFolder("one");
  addFolder("none");
  runFiles.AddSourceFolderFiles((rig.root / "two/*").string());  // a pattern is taken as it is

  Strings expected{"single.doc"};
  for (const Strings& part : {three, one, Strings{""}, two, Strings{""}}) {
    expected.insert(expected.end(), part.begin(), part.end());
  }
  EXPECT_EQ(paths(), expected);
  for (const auto& entry : rig.state.SourceFiles) {
    const std::string name = fs::path(entry.Path).filename();
    EXPECT_EQ(entry.Size, name == "single.doc" ? 5u : name.size()) << entry.Path;
  }
  EXPECT_TRUE(rig.scripted.messages.shown.empty());

  runFiles.Reset();
  EXPECT_EQ(paths(), Strings{""});
  EXPECT_EQ(rig.state.SourceFiles[0].Size, 0u);

  // Sizes beyond 32 bits are kept.
  writeFile(rig.root / "big.img", "");
  fs::resize_file(rig.root / "big.img", 5ull << 30);  // sparse: no disk space used
  addFile("big.img");
  EXPECT_EQ(rig.state.SourceFiles[0].Size, 5ull << 30);
}

TEST_F(RunFileListTest, OnlyOrdinaryFilesDirectlyInTheFolderAreCollected) {
  Strings expected = folderWith("mixed", {"plain.txt", "ro.txt"});
  const fs::path folder = rig.root / "mixed";
  fs::permissions(folder / "ro.txt", fs::perms::owner_write, fs::perm_options::remove);
  writeFile(folder / ".hidden", "h");
  writeFile(folder / "sub/inner.txt", "i");
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
  fs::create_symlink(folder / "gone", folder / "broken");
  addFolder("mixed");
  expected.push_back("");
  EXPECT_EQ(paths(), expected);
}

TEST_F(RunFileListTest, MissingFileItemFailsToTheCallerAndStaysOutsideTheRun) {
  EXPECT_EQ(raisedError([&] { addFile("missing.txt"); }), runtime::Err::FileNotFound);
  // Left in the last slot, which no reader visits; the next entry takes its place.
  EXPECT_EQ(paths(), Strings{"missing.txt"});
  writeFile(rig.root / "next.txt", "n");
  addFile("next.txt");
  EXPECT_EQ(paths(), (Strings{"next.txt", ""}));
}

TEST_F(RunFileListTest, FolderFailuresAreReportedWithNumberColonDescription) {
  writeFile(rig.root / "first.txt", "f");
  folderWith("bad", {"a.txt"});
  addFile("first.txt");
  rig.files.faults().inject("list", runtime::Err::DeviceIOError, "/bad/");
  addFolder("bad");
  EXPECT_EQ(boxesShown(rig.scripted.messages),
            Strings{shownBox(runtime::MsgStyle::Critical, "57:Device I/O error")});
  EXPECT_EQ(paths(), (Strings{"first.txt", "", ""}));

  // A length failure ends the folder and keeps what came before. The second file's:
  // the first stays and the second is in the last slot.
  runFiles.Reset();
  const Strings order = folderWith("f", {"a", "b", "c"});
  const std::string folder = (rig.root / "f").string();
  rig.files.faults().inject("length", runtime::Err::PermissionDenied, folder, 1, 1);
  addFolder("f");
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "70:Permission denied");
  EXPECT_EQ(paths(), (Strings{order[0], order[1]}));
  // The first file's: its path stays in the slot the folder started at.
  runFiles.Reset();
  rig.files.faults().inject("length", runtime::Err::DeviceUnavailable, folder);
  addFolder("f");
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "68:Device unavailable");
  EXPECT_EQ(paths(), (Strings{order[0], ""}));
}

}  // namespace
}  // namespace ferrowick::engine::testing
