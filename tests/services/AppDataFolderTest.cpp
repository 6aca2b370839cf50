#include <gtest/gtest.h>

#include <cstdlib>

#include "services/modDir.h"
#include "services/modPathUsers.h"
#include "support/Sandbox.h"

namespace ferrowick::services {
namespace {

namespace fs = std::filesystem;
using ferrowick::testing::Sandbox;

TEST(AppDataFolder, FollowsAnAbsoluteXdgDataHomeAndMakesOnlyTheMissingLevelsPrivate) {
  const fs::path base = Sandbox::root() / "base";
  fs::create_directory(base);
  fs::permissions(base, fs::perms{0740});
  ::setenv("XDG_DATA_HOME", (base.string() + "/data//").c_str(), 1);
  EXPECT_EQ(modPathUsers::AppDataFolder(), (base / "data/Halvorne/Ferrowick").string());
  for (const char* level : {"data", "data/Halvorne", "data/Halvorne/Ferrowick"})
    EXPECT_EQ(fs::status(base / level).permissions(), fs::perms::owner_all) << level;
  EXPECT_EQ(fs::status(base).permissions(), fs::perms{0740});
  ::setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(modPathUsers::GetLocalAppDataPath(), (Sandbox::root() / "home/.local/share").string());
}

TEST(AppDataFolder, EmptyWhenTheFolderCannotBeHadAndARelativePathIsNoPlace) {
  ferrowick::testing::writeFile(Sandbox::root() / "blocked", "a file, not a folder");
  ::setenv("XDG_DATA_HOME", (Sandbox::root() / "blocked/data").c_str(), 1);
  EXPECT_EQ(modPathUsers::AppDataFolder(), "");
  const fs::path before = fs::current_path();
  fs::current_path(Sandbox::root());
  EXPECT_FALSE(modDir::EnsureFolderPath("rel/dir/"));
  fs::current_path(before);
  EXPECT_FALSE(fs::exists(Sandbox::root() / "rel"));
}

}  // namespace
}  // namespace ferrowick::services
