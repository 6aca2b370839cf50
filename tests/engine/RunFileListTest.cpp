#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "SettingsFixture.h"
#include "SourcesRig.h"
#include "engine/RunFileList.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::engine::testing {
namespace {

using ferrowick::testing::writeFile;
using Strings = std::vector<std::string>;

class RunFileListTest : public ::testing::Test {
 protected:
  // The paths of the list, empty slots included.
  Strings paths() const {
    Strings all;
    for (const auto& entry : rig.state.SourceFiles) all.push_back(entry.Path);
    return all;
  }
  // The folder's named files as full paths, in the order the file system lists them.
  static Strings filesOf(const fs::path& folder, const Strings& names) {
    Strings all;
    for (const auto& name : systemOrder(folder)) {
      if (std::find(names.begin(), names.end(), name) != names.end()) {
        all.push_back((folder / name).string());
      }
    }
    return all;
  }
  // A folder holding one file per name, each file's bytes its own name.
  fs::path folderWith(const char* folder, const Strings& names) const {
    for (const auto& name : names) writeFile(rig.root / folder / name, name);
    return rig.root / folder;
  }

  SourcesRig rig;
  RunFileList runFiles{rig.ctx};
};

TEST_F(RunFileListTest, FilesAndFoldersKeepTheirOrderAndEachFolderEndsInASlot) {
  EXPECT_EQ(paths(), Strings{""});
  writeFile(rig.root / "single.doc", "12345");
  const fs::path three = folderWith("three", {"x.txt", "y", "z.bin"});
  const fs::path one = folderWith("one", {"only.txt"});
  fs::create_directories(rig.root / "none");
  const fs::path two = folderWith("two", {"a", "b"});
  runFiles.AddSourceFile((rig.root / "single.doc").string());
  runFiles.AddSourceFolderFiles(three.string() + "/");
  runFiles.AddSourceFolderFiles(one.string() + "/");
  runFiles.AddSourceFolderFiles((rig.root / "none/").string());
  runFiles.AddSourceFolderFiles((two / "*").string());  // a pattern is taken as it is

  Strings expected{(rig.root / "single.doc").string()};
  for (const auto& file : filesOf(three, {"x.txt", "y", "z.bin"})) expected.push_back(file);
  expected.insert(expected.end(), {(one / "only.txt").string(), ""});
  for (const auto& file : filesOf(two, {"a", "b"})) expected.push_back(file);
  expected.push_back("");
  EXPECT_EQ(paths(), expected);
  EXPECT_EQ(rig.state.SourceFiles[0].Size, 5u);
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(rig.state.SourceFiles[i].Size, fs::path(expected[i]).filename().string().size());
  }
  EXPECT_TRUE(rig.scripted.messages.shown.empty());

  runFiles.Reset();
  ASSERT_EQ(rig.state.SourceFiles.size(), 1u);
  EXPECT_EQ(rig.state.SourceFiles[0].Path, "");
  EXPECT_EQ(rig.state.SourceFiles[0].Size, 0u);
}

TEST_F(RunFileListTest, OnlyOrdinaryFilesDirectlyInTheFolderAreCollected) {
  const fs::path folder = folderWith("mixed", {"plain.txt", ".hidden", "sub/inner.txt", "ro.txt"});
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
  fs::create_symlink(folder / "gone", folder / "broken");
  fs::permissions(folder / "ro.txt", fs::perms::owner_write, fs::perm_options::remove);
  runFiles.AddSourceFolderFiles(folder.string() + "/");
  Strings expected = filesOf(folder, {"plain.txt", "ro.txt"});
  expected.push_back("");
  EXPECT_EQ(paths(), expected);
}

TEST_F(RunFileListTest, SizesBeyondThirtyTwoBitsAreKept) {
  const fs::path big = rig.root / "big.img";
  writeFile(big, "");
  fs::resize_file(big, 5ull << 30);  // sparse: no disk space used
  runFiles.AddSourceFile(big.string());
  EXPECT_EQ(rig.state.SourceFiles[0].Size, 5ull << 30);
}

TEST_F(RunFileListTest, MissingFileItemFailsToTheCallerAndStaysOutsideTheRun) {
  const std::string missing = (rig.root / "missing.txt").string();
  try {
    runFiles.AddSourceFile(missing);
    ADD_FAILURE() << "no failure";
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), runtime::Err::FileNotFound);
  }
  // Left in the last slot, which no reader visits; the next entry takes its place.
  EXPECT_EQ(paths(), Strings{missing});
  writeFile(rig.root / "next.txt", "n");
  runFiles.AddSourceFile((rig.root / "next.txt").string());
  EXPECT_EQ(paths(), (Strings{(rig.root / "next.txt").string(), ""}));
}

TEST_F(RunFileListTest, FolderFailuresAreReportedWithNumberColonDescription) {
  writeFile(rig.root / "first.txt", "f");
  const fs::path bad = folderWith("bad", {"a.txt"});
  runFiles.AddSourceFile((rig.root / "first.txt").string());
  rig.files.faults().inject("list", runtime::Err::DeviceIOError, "/bad/");
  runFiles.AddSourceFolderFiles(bad.string() + "/");
  EXPECT_EQ(boxes(rig.scripted.messages),
            Strings{box(runtime::MsgStyle::Critical, "57:Device I/O error")});
  EXPECT_EQ(paths(), (Strings{(rig.root / "first.txt").string(), "", ""}));

  // A length failure stops the folder; what came before stays. The second file's fails:
  // the first stays and the second is in the last slot.
  runFiles.Reset();
  const fs::path folder = folderWith("f", {"a", "b", "c"});
  const Strings order = filesOf(folder, {"a", "b", "c"});
  rig.files.faults().inject("length", runtime::Err::PermissionDenied, folder.string(), 1, 1);
  runFiles.AddSourceFolderFiles(folder.string() + "/");
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "70:Permission denied");
  EXPECT_EQ(paths(), (Strings{order[0], order[1]}));

  // The first file's fails: its path stays in the slot the folder started at.
  runFiles.Reset();
  rig.files.faults().inject("length", runtime::Err::DeviceUnavailable, folder.string());
  runFiles.AddSourceFolderFiles(folder.string() + "/");
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "68:Device unavailable");
  EXPECT_EQ(paths(), (Strings{order[0], ""}));
}

}  // namespace
}  // namespace ferrowick::engine::testing
