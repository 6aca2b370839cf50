#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "engine/RunFileList.h"
#include "runtime/RuntimeError.h"
#include "SourcesRig.h"

namespace ferrowick::engine::testing {
namespace {

using ferrowick::testing::writeFile;

class RunFileListTest : public ::testing::Test {
 protected:
  // The paths of the list, empty slots included.
  std::vector<std::string> paths() const {
    std::vector<std::string> all;
    for (const auto& entry : rig.state.SourceFiles) all.push_back(entry.Path);
    return all;
  }

  // The folder's ordinary files as full paths, in the order the file system lists them.
  std::vector<std::string> filesOf(const fs::path& folder,
                                   const std::vector<std::string>& ordinary) const {
    std::vector<std::string> all;
    for (const auto& name : systemOrder(folder)) {
      if (std::find(ordinary.begin(), ordinary.end(), name) != ordinary.end()) {
        all.push_back((folder / name).string());
      }
    }
    return all;
  }

  SourcesRig rig;
  RunFileList runFiles{rig.ctx};
};

TEST_F(RunFileListTest, EmptyListIsOneEmptySlotAndResetReturnsToIt) {
  EXPECT_EQ(paths(), std::vector<std::string>{""});
  writeFile(rig.root / "a.txt", "abc");
  runFiles.AddSourceFile((rig.root / "a.txt").string());
  runFiles.Reset();
  ASSERT_EQ(rig.state.SourceFiles.size(), 1u);
  EXPECT_EQ(rig.state.SourceFiles[0].Path, "");
  EXPECT_EQ(rig.state.SourceFiles[0].Size, 0u);
}

TEST_F(RunFileListTest, FileItemThenFolderItemKeepTheirOrder) {
  writeFile(rig.root / "single.doc", "12345");
  const fs::path folder = rig.root / "three";
  for (const char* name : {"x.txt", "y", "z.bin"}) writeFile(folder / name, name);
  runFiles.AddSourceFile((rig.root / "single.doc").string());
  runFiles.AddSourceFolderFiles(folder.string() + "/");

  std::vector<std::string> expected{(rig.root / "single.doc").string()};
  for (const auto& file : filesOf(folder, {"x.txt", "y", "z.bin"})) expected.push_back(file);
  expected.push_back("");
  EXPECT_EQ(paths(), expected);
  EXPECT_EQ(rig.state.SourceFiles[0].Size, 5u);
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(rig.state.SourceFiles[i].Size, fs::path(expected[i]).filename().string().size());
  }
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST_F(RunFileListTest, FoldersWithOneFileOrNoneKeepEverythingCollected) {
  writeFile(rig.root / "one/only.txt", "1");
  fs::create_directories(rig.root / "none");
  writeFile(rig.root / "two/a", "a");
  writeFile(rig.root / "two/b", "b");
  runFiles.AddSourceFolderFiles((rig.root / "one/").string());
  runFiles.AddSourceFolderFiles((rig.root / "none/").string());
  runFiles.AddSourceFolderFiles((rig.root / "two/*").string());  // a pattern is taken as it is

  std::vector<std::string> expected{(rig.root / "one/only.txt").string(), ""};
  for (const auto& file : filesOf(rig.root / "two", {"a", "b"})) expected.push_back(file);
  expected.push_back("");
  EXPECT_EQ(paths(), expected);
}

TEST_F(RunFileListTest, OnlyOrdinaryFilesDirectlyInTheFolderAreCollected) {
  const fs::path folder = rig.root / "mixed";
  writeFile(folder / "plain.txt", "p");
  writeFile(folder / ".hidden", "h");
  writeFile(folder / "sub/inner.txt", "i");
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
  fs::create_symlink(folder / "gone", folder / "broken");
  writeFile(folder / "ro.txt", "r");
  fs::permissions(folder / "ro.txt", fs::perms::owner_write, fs::perm_options::remove);
  runFiles.AddSourceFolderFiles(folder.string() + "/");

  std::vector<std::string> expected = filesOf(folder, {"plain.txt", "ro.txt"});
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
  EXPECT_EQ(paths(), std::vector<std::string>{missing});
  writeFile(rig.root / "next.txt", "n");
  runFiles.AddSourceFile((rig.root / "next.txt").string());
  EXPECT_EQ(paths(), (std::vector<std::string>{(rig.root / "next.txt").string(), ""}));
}

TEST_F(RunFileListTest, ListingFailureIsReportedWithNumberColonDescription) {
  writeFile(rig.root / "first.txt", "f");
  writeFile(rig.root / "bad/a.txt", "a");
  runFiles.AddSourceFile((rig.root / "first.txt").string());
  rig.files.faults().inject("list", runtime::Err::DeviceIOError, "/bad/");
  runFiles.AddSourceFolderFiles((rig.root / "bad/").string());

  ASSERT_EQ(rig.scripted.messages.shown.size(), 1u);
  EXPECT_EQ(rig.scripted.messages.shown[0].text, "57:Device I/O error");
  EXPECT_EQ(rig.scripted.messages.shown[0].style, runtime::MsgStyle::Critical);
  EXPECT_EQ(rig.scripted.messages.shown[0].caption, "Ferrowick");
  EXPECT_EQ(paths(), (std::vector<std::string>{(rig.root / "first.txt").string(), "", ""}));
}

TEST_F(RunFileListTest, LengthFailureStopsTheFolderAndKeepsWhatCameBefore) {
  const fs::path folder = rig.root / "f";
  for (const char* name : {"a", "b", "c"}) writeFile(folder / name, name);
  const std::vector<std::string> order = filesOf(folder, {"a", "b", "c"});

  // The second file's length fails: the first stays, the second is in the last slot.
  rig.files.faults().inject("length", runtime::Err::PermissionDenied, folder.string(), 1, 1);
  runFiles.AddSourceFolderFiles(folder.string() + "/");
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "70:Permission denied");
  EXPECT_EQ(paths(), (std::vector<std::string>{order[0], order[1]}));

  // The first file's length fails: its path stays in the slot the folder started at.
  runFiles.Reset();
  rig.files.faults().inject("length", runtime::Err::DeviceUnavailable, folder.string());
  runFiles.AddSourceFolderFiles(folder.string() + "/");
  EXPECT_EQ(rig.scripted.messages.shown.back().text, "68:Device unavailable");
  EXPECT_EQ(paths(), (std::vector<std::string>{order[0], ""}));
}

}  // namespace
}  // namespace ferrowick::engine::testing
