#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "LanguageRig.h"
#include "runtime/RuntimeError.h"
#include "services/modMakeDirs.h"

namespace ferrowick::services::testing {
namespace {

namespace fs = std::filesystem;
using ferrowick::testing::Sandbox;

class MakeDirsTest : public ::testing::Test {
 protected:
  MakeDirsTest() { rig.lang.setText(177, "Cannot create the folder"); }

  std::string failureText(const std::string& path) const {
    return "Cannot create the folder '" + path + "'\r";
  }

  // Any attempt to make a folder would fail loudly.
  void forbidMaking() { rig.files.faults().inject("mkdir", runtime::Err::DiskFull, "", 1000); }

  LanguageRig rig;
  modMakeDirs dirs{rig.app, rig.scripted.messages, rig.lang, rig.files};
  fs::path root = Sandbox::root() / "dest";
};

TEST_F(MakeDirsTest, MakesEveryMissingLevelOfATrimmedPath) {
  fs::create_directories(root);
  EXPECT_TRUE(dirs.CreatePath("  " + root.string() + "/a/b/c//  "));
  EXPECT_TRUE(fs::is_directory(root / "a/b/c"));
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST_F(MakeDirsTest, RootAndExistingFoldersNeedNoCreation) {
  fs::create_directories(root / "x");
  forbidMaking();
  EXPECT_TRUE(dirs.CreatePath("/"));
  EXPECT_TRUE(dirs.CreatePath(root.string() + "/x"));
  EXPECT_TRUE(dirs.CreatePath(root.string() + "/x/"));
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST_F(MakeDirsTest, FailureNamesThePathAndKeepsTheLevelsMadeBefore) {
  fs::create_directories(root);
  rig.files.faults().inject("mkdir", runtime::Err::PermissionDenied, "/a/b/c");
  EXPECT_FALSE(dirs.CreatePath(root.string() + "/a/b/c/d/"));
  EXPECT_TRUE(fs::is_directory(root / "a/b"));
  EXPECT_FALSE(fs::exists(root / "a/b/c"));
  ASSERT_EQ(rig.scripted.messages.shown.size(), 1u);
  const auto& box = rig.scripted.messages.shown[0];
  EXPECT_EQ(box.text, failureText(root.string() + "/a/b/c/d"));
  EXPECT_EQ(box.style, runtime::MsgStyle::Exclamation);
  EXPECT_EQ(box.caption, "Ferrowick");
}

TEST_F(MakeDirsTest, AFileInTheWayIsAFailure) {
  ferrowick::testing::writeFile(root / "file", "x");
  EXPECT_FALSE(dirs.CreatePath(root.string() + "/file"));
  EXPECT_FALSE(dirs.CreatePath(root.string() + "/file/below"));
  ASSERT_EQ(rig.scripted.messages.shown.size(), 2u);
  EXPECT_EQ(rig.scripted.messages.shown[1].text, failureText(root.string() + "/file/below"));
}

TEST_F(MakeDirsTest, RelativePathsAreMadeBelowTheCurrentFolder) {
  fs::create_directories(root);
  const fs::path before = fs::current_path();
  fs::current_path(root);
  const bool made = dirs.CreatePath("a/b");
  fs::current_path(before);
  EXPECT_TRUE(made);
  EXPECT_TRUE(fs::is_directory(root / "a/b"));
}

TEST_F(MakeDirsTest, DoubleSeparatorsAndNamesEndingInSpacesAreOrdinaryPaths) {
  fs::create_directories(root);
  EXPECT_TRUE(dirs.CreatePath("/" + root.string() + "/net//share"));
  EXPECT_TRUE(fs::is_directory(root / "net/share"));
  EXPECT_TRUE(dirs.CreatePath(root.string() + "/My Docs /old /"));
  EXPECT_TRUE(fs::is_directory(root / "My Docs /old "));
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST_F(MakeDirsTest, FolderTestAndOneLevelCreation) {
  fs::create_directories(root / "empty");
  ferrowick::testing::writeFile(root / "file", "x");
  EXPECT_TRUE(modMakeDirs::FolderExists((root / "empty").string()));
  EXPECT_TRUE(modMakeDirs::FolderExists(" " + (root / "empty").string() + "/ "));
  EXPECT_TRUE(modMakeDirs::FolderExists("/"));
  EXPECT_FALSE(modMakeDirs::FolderExists((root / "file").string()));
  EXPECT_FALSE(modMakeDirs::FolderExists((root / "missing").string()));
  EXPECT_FALSE(modMakeDirs::FolderExists(""));

  EXPECT_TRUE(dirs.CreateFolder((root / "one").string() + "/"));
  EXPECT_TRUE(fs::is_directory(root / "one"));
  EXPECT_TRUE(dirs.CreateFolder((root / "one").string()));
  EXPECT_FALSE(dirs.CreateFolder((root / "no/two").string()));
  EXPECT_FALSE(dirs.CreateFolder((root / "file").string()));
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST(MakeDirsText, CountSubstringsAndStripNulls) {
  EXPECT_EQ(modMakeDirs::CountSubstrings("a/b/c", "/"), 2);
  EXPECT_EQ(modMakeDirs::CountSubstrings("a/b/c", ""), 0);
  EXPECT_EQ(modMakeDirs::CountSubstrings("aaaa", "aa"), 2);
  EXPECT_EQ(modMakeDirs::CountSubstrings("aAa", "A"), 1);
  EXPECT_EQ(modMakeDirs::StripNulls(std::string("abc\0def", 7)), "abc");
  EXPECT_EQ(modMakeDirs::StripNulls("  abc  "), "abc");
  EXPECT_EQ(modMakeDirs::StripNulls(std::string(" ab\0 c ", 7)), "ab");
}

}  // namespace
}  // namespace ferrowick::services::testing
