#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "services/modDir.h"
#include "services/modPathUsers.h"
#include "support/Sandbox.h"

namespace ferrowick::services {
namespace {

namespace fs = std::filesystem;
using ferrowick::testing::Sandbox;

// The permission bits; 0 when there is nothing there.
unsigned modeOf(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return st.st_mode & 07777u;
}

TEST(AppDataFolder, FollowsAnAbsoluteXdgDataHomeAndMakesItsFoldersPrivate) {
  const fs::path data = Sandbox::root() / "fresh/data";
  ::setenv("XDG_DATA_HOME", (data.string() + "//").c_str(), 1);
  EXPECT_EQ(modPathUsers::GetLocalAppDataPath(), data.string());
  EXPECT_EQ(modeOf(data), 0700u);

  const fs::path fallback = Sandbox::root() / "home/.local/share";
  ::setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(modPathUsers::GetLocalAppDataPath(), fallback.string());
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(modPathUsers::GetLocalAppDataPath(), fallback.string());
  EXPECT_EQ(modPathUsers::AppDataFolder(), (fallback / "Halvorne/Ferrowick").string());
  EXPECT_EQ(modeOf(fallback / "Halvorne"), 0700u);
  EXPECT_EQ(modeOf(fallback / "Halvorne/Ferrowick"), 0700u);
}

TEST(AppDataFolder, EmptyWhenTheFolderCannotBeHad) {
  ferrowick::testing::writeFile(Sandbox::root() / "blocked", "a file, not a folder");
  ::setenv("XDG_DATA_HOME", (Sandbox::root() / "blocked/data").c_str(), 1);
  EXPECT_EQ(modPathUsers::GetLocalAppDataPath(), "");
  EXPECT_EQ(modPathUsers::AppDataFolder(), "");
  EXPECT_FALSE(fs::exists("/Halvorne"));
}

TEST(EnsureFolderPath, MakesOnlyTheMissingLevelsOfAnAbsolutePath) {
  const fs::path base = Sandbox::root() / "e";
  fs::create_directories(base);
  fs::permissions(base, fs::perms::owner_all | fs::perms::group_read);
  EXPECT_TRUE(modDir::EnsureFolderPath((base / "x/y").string() + "/"));
  EXPECT_TRUE(fs::is_directory(base / "x/y"));
  EXPECT_EQ(modeOf(base / "x"), 0700u);
  EXPECT_EQ(modeOf(base), 0740u);  // levels that existed keep their mode
  EXPECT_TRUE(modDir::EnsureFolderPath((base / "x/y").string()));
  EXPECT_TRUE(modDir::EnsureFolderPath("/"));

  ferrowick::testing::writeFile(base / "file", "x");
  EXPECT_FALSE(modDir::EnsureFolderPath((base / "file/below").string()));
  EXPECT_FALSE(modDir::EnsureFolderPath(""));
  const fs::path before = fs::current_path();
  fs::current_path(base);
  const bool relative = modDir::EnsureFolderPath("rel/dir/");
  fs::current_path(before);
  EXPECT_FALSE(relative);
  EXPECT_FALSE(fs::exists(base / "rel"));
}

}  // namespace
}  // namespace ferrowick::services
