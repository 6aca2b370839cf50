#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/fs/ArchiveStore.h"
#include "runtime/fs/FileSystem.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::Sandbox;
using testing::writeFile;

void makeSocket(const fs::path& path) {
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.native().size(), sizeof(address.sun_path));
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ::close(sock);
}

// One folder with every kind of entry the listing and the attribute word tell apart.
class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = Sandbox::root() / "d";
    writeFile(dir / "a.txt", "aaa");
    writeFile(dir / "noext", "");
    writeFile(dir / ".hidden", "h");
    fs::create_directories(dir / "sub");
    fs::create_directories(dir / ".hiddendir");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    makeSocket(dir / "sock");
    fs::create_symlink(dir / "gone", dir / "broken");
    fs::create_symlink(dir / "a.txt", dir / "filelink");
    fs::create_directory_symlink(dir / "sub", dir / "dirlink");
    fs::create_symlink(dir / "loop", dir / "loop");
  }

  // The names as the file system returns them, kept in that order.
  std::vector<std::string> systemOrder(const std::set<std::string>& keep) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string name = entry.path().filename();
      if (keep.contains(name)) names.push_back(name);
    }
    return names;
  }

  std::string path(const std::string& name) const { return (dir / name).string(); }

  int errorOf(const std::function<void()>& operation) {
    try {
      operation();
    } catch (const RuntimeError& e) {
      return e.number();
    }
    return 0;
  }

  fs::path dir;
  FileSystem files{Sandbox::root() / "archive.db"};
};

TEST_F(FileSystemTest, ListingGivesOrdinaryFilesInFileSystemOrder) {
  const std::vector<std::string> expected = systemOrder({"a.txt", "noext", "filelink"});
  EXPECT_EQ(files.list(path("*.*"), false), expected);
  EXPECT_EQ(files.list(path("*"), false), expected);
}

TEST_F(FileSystemTest, ListingWithFoldersAddsFoldersAndTheDotEntries) {
  std::vector<std::string> listed = files.list(path("*.*"), true);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "."), 1);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), ".."), 1);
  std::erase_if(listed, [](const std::string& n) { return n == "." || n == ".."; });
  EXPECT_EQ(listed, systemOrder({"a.txt", "noext", "filelink", "sub", "dirlink"}));
}

TEST_F(FileSystemTest, ListingPatternsAndMissingFolders) {
  EXPECT_EQ(files.list(path("*.txt"), false), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(files.list(path("a.txt"), false), std::vector<std::string>{"a.txt"});
  EXPECT_TRUE(files.list(path("sub"), false).empty());
  EXPECT_EQ(files.list(path("sub"), true), std::vector<std::string>{"sub"});
  EXPECT_TRUE(files.list(path(".hidden"), false).empty());
  EXPECT_TRUE(files.list(path("missing/*.*"), true).empty());
  EXPECT_TRUE(files.list(path("a.txt/*.*"), true).empty());
}

TEST_F(FileSystemTest, FolderListingHoldsOnlyRealVisibleFolders) {
  fs::create_directories(dir / "sub2");
  EXPECT_EQ(files.listFolders(path("")), systemOrder({"sub", "sub2"}));
  EXPECT_TRUE(files.listFolders(path("sub/")).empty());
  EXPECT_TRUE(files.listFolders(path("missing/")).empty());
}

TEST_F(FileSystemTest, AttributeWordOfEveryKind) {
  EXPECT_EQ(files.getAttributes(path("a.txt")), Attr::Archive);
  EXPECT_EQ(files.getAttributes(path(".hidden")), Attr::Hidden | Attr::Archive);
  EXPECT_EQ(files.getAttributes(path("sub")), Attr::Directory);
  EXPECT_EQ(files.getAttributes(path("sub/")), Attr::Directory);
  EXPECT_EQ(files.getAttributes(path(".hiddendir")), Attr::Hidden | Attr::Directory);
  EXPECT_EQ(files.getAttributes(path("pipe")), Attr::System);
  EXPECT_EQ(files.getAttributes(path("sock")), Attr::System);
  EXPECT_EQ(files.getAttributes(path("broken")), Attr::System);
  EXPECT_EQ(files.getAttributes(path("loop")), Attr::System);
  EXPECT_EQ(files.getAttributes(path("filelink")), Attr::Archive);
  EXPECT_EQ(files.getAttributes(path("dirlink")), Attr::Directory);

  fs::permissions(dir / "a.txt", fs::perms::owner_write, fs::perm_options::remove);
  fs::permissions(dir / "sub", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(files.getAttributes(path("a.txt")), Attr::ReadOnly | Attr::Archive);
  EXPECT_EQ(files.getAttributes(path("sub")), Attr::ReadOnly | Attr::Directory);
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

  clear();
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(files.getAttributes(file), Attr::ReadOnly);
  store.setArchive(file);
  EXPECT_EQ(files.getAttributes(file), Attr::ReadOnly | Attr::Archive);
}

TEST_F(FileSystemTest, LengthsExistenceAndFolders) {
  EXPECT_EQ(files.fileLength(path("a.txt")), 3u);
  EXPECT_EQ(files.fileLength(path("noext")), 0u);
  EXPECT_TRUE(files.fileExists(path("a.txt")));
  EXPECT_TRUE(files.fileExists(path("filelink")));
  for (const char* name : {".hidden", "sub", "pipe", "sock", "broken", "missing"}) {
    EXPECT_FALSE(files.fileExists(path(name))) << name;
  }
  files.makeFolder(path("new"));
  EXPECT_TRUE(fs::is_directory(dir / "new"));
}

TEST_F(FileSystemTest, FailuresAreNumberedRuntimeErrors) {
  EXPECT_EQ(errorOf([&] { files.getAttributes(path("missing")); }), Err::FileNotFound);
  EXPECT_EQ(errorOf([&] { files.getAttributes(path("none/missing")); }), Err::PathNotFound);
  EXPECT_EQ(errorOf([&] { files.fileLength(path("missing")); }), Err::FileNotFound);
  EXPECT_EQ(errorOf([&] { files.fileLength(path("none/missing")); }), Err::PathNotFound);
  EXPECT_EQ(errorOf([&] { files.makeFolder(path("sub")); }), Err::PathFileAccessError);
  EXPECT_EQ(errorOf([&] { files.makeFolder(path("none/new")); }), Err::PathNotFound);
  EXPECT_EQ(errorOf([&] { files.makeFolder(path("a.txt/new")); }), Err::PathNotFound);
  EXPECT_EQ(errorOf([&] { files.renameFile(path("a.txt"), path("noext")); }),
            Err::FileAlreadyExists);
  EXPECT_EQ(errorOf([&] { files.deleteFile(path("missing")); }), Err::FileNotFound);
  fs::permissions(dir / "a.txt", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(errorOf([&] { files.deleteFile(path("a.txt")); }), Err::PathFileAccessError);
  EXPECT_TRUE(fs::exists(dir / "a.txt"));
}

TEST_F(FileSystemTest, InjectedFaultsHitTheirOperationOnce) {
  struct Case {
    const char* operation;
    int number;
    std::function<void()> call;
  };
  const std::vector<Case> cases = {
      {"list", Err::DeviceIOError, [&] { files.list(path("*.*"), true); }},
      {"list", Err::PermissionDenied, [&] { files.listFolders(path("")); }},
      {"length", Err::DeviceUnavailable, [&] { files.fileLength(path("a.txt")); }},
      {"attributes", Err::PermissionDenied, [&] { files.getAttributes(path("sub")); }},
      {"exists", Err::DiskNotReady, [&] { files.fileExists(path("a.txt")); }},
      {"mkdir", Err::DiskFull, [&] { files.makeFolder(path("made")); }},
  };
  for (const Case& c : cases) {
    files.faults().inject(c.operation, c.number, dir.string());
    EXPECT_EQ(errorOf(c.call), c.number) << c.operation;
    EXPECT_EQ(errorOf(c.call), 0) << c.operation;
  }
  EXPECT_TRUE(fs::is_directory(dir / "made"));
}

}  // namespace
}  // namespace ferrowick::runtime
