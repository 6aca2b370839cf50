#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "LanguageRig.h"
#include "runtime/RuntimeError.h"
#include "services/modMakeDirs.h"

namespace ferrowick::services::testing {
namespace {

namespace fs = std::filesystem;
using ferrowick::testing::Sandbox;

class MakeDirsTest : public ::testing::Test {
 protected:
  MakeDirsTest() {
    rig.lang.setText(177, "Cannot create the folder");
    fs::create_directories(root);
  }
  std::string at(const std::string& rest) const { return root.string() + rest; }

  LanguageRig rig;
  modMakeDirs dirs{rig.app, rig.scripted.messages, rig.lang, rig.files};
  fs::path root = Sandbox::root() / "dest";
};

TEST_F(MakeDirsTest, MakesOnlyTheMissingLevelsOfAPath) {
  const std::pair<std::string, const char*> cases[] = {
      {"  " + at("/a/b/c//  "), "a/b/c"},        // trimmed, trailing separators dropped
      {"/" + at("/net//share"), "net/share"},    // double separators are ordinary
      {at("/My Docs /old /"), "My Docs /old "},  // names may end in spaces
      {"rel/dir", "rel/dir"},                    // below the current folder
  };
  const fs::path before = fs::current_path();
  fs::current_path(root);
  for (const auto& [path, made] : cases) {
    EXPECT_TRUE(dirs.CreatePath(path)) << path;
    EXPECT_TRUE(fs::is_directory(root / made)) << path;
  }
  fs::current_path(before);
  // The root and folders that exist need no creation.
  rig.files.faults().inject("mkdir", runtime::Err::DiskFull, "", 1000);
  for (const std::string& path : {std::string("/"), at("/a/b"), at("/a/b/")}) {
    EXPECT_TRUE(dirs.CreatePath(path)) << path;
  }
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST_F(MakeDirsTest, FailureNamesThePathAndKeepsTheLevelsMadeBefore) {
  rig.files.faults().inject("mkdir", runtime::Err::PermissionDenied, "/a/b/c");
  EXPECT_FALSE(dirs.CreatePath(at("/a/b/c/d/")));
  EXPECT_TRUE(fs::is_directory(root / "a/b"));
  EXPECT_FALSE(fs::exists(root / "a/b/c"));
  // A file in the way fails as well.
  ferrowick::testing::writeFile(root / "file", "x");
  EXPECT_FALSE(dirs.CreatePath(at("/file")));
  EXPECT_FALSE(dirs.CreatePath(at("/file/below")));

  const auto& shown = rig.scripted.messages.shown;
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Cannot create the folder '" + at("/a/b/c/d") + "'\r");
  EXPECT_EQ(shown[0].style, runtime::MsgStyle::Exclamation);
  EXPECT_EQ(shown[0].caption, "Ferrowick");
  EXPECT_EQ(shown[2].text, "Cannot create the folder '" + at("/file/below") + "'\r");
}

TEST_F(MakeDirsTest, FolderTestAndOneLevelCreation) {
  fs::create_directories(root / "empty");
  ferrowick::testing::writeFile(root / "file", "x");
  const std::pair<std::string, bool> folders[] = {
      {at("/empty"), true}, {" " + at("/empty/ "), true}, {"/", true},
      {at("/file"), false}, {at("/missing"), false},      {"", false},
  };
  for (const auto& [path, exists] : folders) {
    EXPECT_EQ(modMakeDirs::FolderExists(path), exists) << path;
  }
  EXPECT_TRUE(dirs.CreateFolder(at("/one/")));
  EXPECT_TRUE(fs::is_directory(root / "one"));
  EXPECT_TRUE(dirs.CreateFolder(at("/one")));
  EXPECT_FALSE(dirs.CreateFolder(at("/no/two")));
  EXPECT_FALSE(dirs.CreateFolder(at("/file")));
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
