#include <gtest/gtest.h>

#include <tuple>
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
  MakeDirsTest() { rig.lang.setText(177, "No folder"); }
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
  };
  for (const auto& [path, made] : cases) {
    EXPECT_TRUE(dirs.CreatePath(path)) << path;
    EXPECT_TRUE(fs::is_directory(root / made)) << path;
  }
  rig.files.faults().inject(runtime::FaultPoint::MakeFolder, runtime::Err::DiskFull, "", 1000);
  EXPECT_TRUE(dirs.CreatePath("/") && dirs.CreatePath(at("/a/b/")));
  EXPECT_TRUE(rig.scripted.messages.shown.empty());
}

TEST_F(MakeDirsTest, FailureNamesThePathAndKeepsTheLevelsMadeBefore) {
  rig.files.faults().inject(runtime::FaultPoint::MakeFolder, runtime::Err::PermissionDenied,
                            "/a/b/c");
  EXPECT_FALSE(dirs.CreatePath(at("/a/b/c/d/")));
  EXPECT_TRUE(fs::is_directory(root / "a/b"));
  EXPECT_FALSE(fs::exists(root / "a/b/c"));
  EXPECT_EQ(rig.scripted.messages.all(),
            std::vector<std::string>{"Ferrowick|Exclamation|No folder '" + at("/a/b/c/d") + "'\r"});
}

TEST_F(MakeDirsTest, FolderTestTrimsAndTakesOnlyFolders) {
  fs::create_directories(root / "empty");
  ferrowick::testing::writeFile(root / "file", "x");
  EXPECT_TRUE(modMakeDirs::FolderExists(at("/empty/ ")));
  EXPECT_FALSE(modMakeDirs::FolderExists(at("/file")));
}

}  // namespace
}  // namespace ferrowick::services::testing
