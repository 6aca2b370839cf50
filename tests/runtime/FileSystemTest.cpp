#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "runtime/TestChecks.h"
#include "runtime/fs/ArchiveStore.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::errorOf;
using testing::Sandbox;
using testing::writeFile;
using Names = std::vector<std::string>;

// One folder with every kind of entry the listing and the attribute word tell apart.
class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir / "a.txt", "aaa");
    writeFile(dir / "noext", "");
    writeFile(dir / ".hidden", "h");
    fs::create_directories(dir / "sub");
    fs::create_directories(dir / ".hiddendir");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    fs::create_symlink(dir / "gone", dir / "broken");
    fs::create_symlink(dir / "a.txt", dir / "filelink");
    fs::create_directory_symlink(dir / "sub", dir / "dirlink");
    fs::create_symlink(dir / "loop", dir / "loop");
  }
  // The names as the file system returns them, kept in that order.
  Names systemOrder(const std::set<std::string>& keep) const {
    Names names;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (keep.contains(entry.path().filename())) names.push_back(entry.path().filename());
    }
    return names;
  }
  std::string path(const std::string& name) const { return (dir / name).string(); }

  fs::path dir = Sandbox::root() / "d";
  FileSystem files{Sandbox::root() / "archive.db"};
};

TEST_F(FileSystemTest, ListingGivesFilesAndOnRequestFoldersInFileSystemOrder) {
  EXPECT_EQ(files.list(path("*.*"), false), systemOrder({"a.txt", "noext", "filelink"}));
  EXPECT_EQ(files.list(path("*"), false), systemOrder({"a.txt", "noext", "filelink"}));
  Names listed = files.list(path("*.*"), true);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "."), 1);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), ".."), 1);
  std::erase_if(listed, [](const std::string& n) { return n == "." || n == ".."; });
  EXPECT_EQ(listed, systemOrder({"a.txt", "noext", "filelink", "sub", "dirlink"}));

  EXPECT_EQ(files.list(path("*.txt"), false), Names{"a.txt"});
  EXPECT_EQ(files.list(path("a.txt"), false), Names{"a.txt"});
  EXPECT_EQ(files.list(path("sub"), true), Names{"sub"});
  EXPECT_TRUE(files.list(path("sub"), false).empty());
  for (const char* pattern : {".hidden", "missing/*.*", "a.txt/*.*"}) {
    EXPECT_TRUE(files.list(path(pattern), true).empty()) << pattern;
  }

  fs::create_directories(dir / "sub2");
  EXPECT_EQ(files.listFolders(path("")), systemOrder({"sub", "sub2"}));
  EXPECT_TRUE(files.listFolders(path("sub/")).empty());
  EXPECT_TRUE(files.listFolders(path("missing/")).empty());
}

TEST_F(FileSystemTest, AttributeWordOfEveryKind) {
  const std::pair<const char*, unsigned> kinds[] = {
      {"a.txt", Attr::Archive},    {".hidden", Attr::Hidden | Attr::Archive},
      {"sub", Attr::Directory},    {".hiddendir", Attr::Hidden | Attr::Directory},
      {"sub/", Attr::Directory},   {"pipe", Attr::System},
      {"broken", Attr::System},    {"loop", Attr::System},
      {"filelink", Attr::Archive}, {"dirlink", Attr::Directory}};
  for (const auto& [name, attributes] : kinds) {
    EXPECT_EQ(files.getAttributes(path(name)), attributes) << name;
  }
  // Only the owner's write bit counts.
  fs::permissions(dir / "noext", fs::perms::owner_read | fs::perms::group_write);
  EXPECT_EQ(files.getAttributes(path("noext")), Attr::ReadOnly | Attr::Archive);
}

TEST_F(FileSystemTest, ArchiveReadsAsSetAgainOnceTheFileChanges) {
  const std::string file = path("a.txt");
  ArchiveStore store(Sandbox::root() / "archive.db");
  const auto clear = [&] {
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    store.clearArchive(file, st);
  };
  clear();
  EXPECT_EQ(files.getAttributes(file), 0u);
  writeFile(file, "bbb");  // same size, new modification time
  timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);

  clear();
  EXPECT_EQ(files.getAttributes(file), 0u);
  writeFile(dir / "other", "bbb");
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "other").c_str(), times, 0), 0);
  fs::rename(dir / "other", file);  // same size and time, another file
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);
}

TEST_F(FileSystemTest, LengthsExistenceAndFailuresAsNumberedRuntimeErrors) {
  EXPECT_EQ(files.fileLength(path("a.txt")), 3u);
  EXPECT_EQ(files.fileLength(path("noext")), 0u);
  EXPECT_TRUE(files.fileExists(path("filelink")));
  for (const char* name : {".hidden", "sub", "pipe", "broken", "missing"}) {
    EXPECT_FALSE(files.fileExists(path(name))) << name;
  }
  const std::pair<std::function<void()>, int> failures[] = {
      {[&] { files.getAttributes(path("missing")); }, Err::FileNotFound},
      {[&] { files.getAttributes(path("none/missing")); }, Err::PathNotFound},
      {[&] { files.fileLength(path("missing")); }, Err::FileNotFound},
      {[&] { files.makeFolder(path("sub")); }, Err::PathFileAccessError},
      {[&] { files.makeFolder(path("none/new")); }, Err::PathNotFound},
      {[&] { files.makeFolder(path("a.txt/new")); }, Err::PathNotFound},
      {[&] { files.renameFile(path("a.txt"), path("noext")); }, Err::FileAlreadyExists},
      {[&] { files.deleteFile(path("missing")); }, Err::FileNotFound},
  };
  for (const auto& [call, number] : failures) EXPECT_EQ(errorOf(call), number);
  fs::permissions(dir / "a.txt", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(errorOf([&] { files.deleteFile(path("a.txt")); }), Err::PathFileAccessError);
  EXPECT_TRUE(files.fileExists(path("a.txt")));
}

}  // namespace
}  // namespace ferrowick::runtime
