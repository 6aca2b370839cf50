#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <map>
#include <tuple>

#include "runtime/TestChecks.h"
#include "runtime/fs/ArchiveStore.h"
#include "runtime/fs/FileSystem.h"
#include "support/AttributeWord.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

namespace fs = std::filesystem;
using testing::raisedError;
using testing::setAttributeWord;
using testing::writeFile;
using Names = std::vector<std::string>;

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"a.txt", "noext", ".hidden"}) writeFile(dir / file, "aaa");
    fs::create_directories(dir / "sub");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    fs::create_symlink(dir / "gone", dir / "broken");
    fs::create_symlink(dir / "a.txt", dir / "filelink");
    fs::create_directory_symlink(dir / "sub", dir / "dirlink");
    fs::create_symlink(dir / "loop", dir / "loop");
  }
  std::string path(const std::string& name) const { return (dir / name).string(); }

  fs::path dir = testing::Sandbox::root() / "d";
  FileSystem files{testing::Sandbox::root() / "archive.db"};
};

TEST_F(FileSystemTest, ListingGivesFilesAndOnRequestFoldersMatchingThePattern) {
  Names listed = files.list(path("*.*"), true);
  std::sort(listed.begin(), listed.end());  // RunFileListTest pins the file system's order
  EXPECT_EQ(listed, (Names{".", "..", "a.txt", "dirlink", "filelink", "noext", "sub"}));
  EXPECT_EQ(files.list(path("*.txt"), false), Names{"a.txt"});
  for (const char* pattern : {".hidden", "missing/*.*", "a.txt/*.*"})
    EXPECT_TRUE(files.list(path(pattern), true).empty()) << pattern;
}

TEST_F(FileSystemTest, AttributeWordExistenceAndFailuresAsNumberedRuntimeErrors) {
  const std::pair<const char*, unsigned> kinds[] = {
      {"pipe", Attr::System},      {"loop", Attr::System},
      {"sub/", Attr::Directory},   {"dirlink", Attr::Directory},
      {"filelink", Attr::Archive}, {".hidden", Attr::Hidden | Attr::Archive}};
  for (const auto& [name, attributes] : kinds)
    EXPECT_EQ(files.getAttributes(path(name)), attributes) << name;
  // Only the owner's write bit counts.
  fs::permissions(dir / "noext", fs::perms::owner_read | fs::perms::group_write);
  EXPECT_EQ(files.getAttributes(path("noext")), Attr::ReadOnly | Attr::Archive);
  // A folder's word never carries read-only.
  fs::permissions(dir / "sub", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(files.getAttributes(path("sub")), Attr::Directory);

  EXPECT_TRUE(files.fileExists(path("filelink")));
  for (const char* name : {"sub", "pipe", "missing"})
    EXPECT_FALSE(files.fileExists(path(name))) << name;
  const std::pair<std::function<void()>, int> failures[] = {
      {[&] { files.getAttributes(path("missing")); }, Err::FileNotFound},
      {[&] { files.getAttributes(path("none/missing")); }, Err::PathNotFound},
      {[&] { files.makeFolder(path("sub")); }, Err::PathFileAccessError},
  };
  for (const auto& [call, number] : failures) EXPECT_EQ(raisedError(call), number);
  fs::permissions(dir / "a.txt", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(raisedError([&] { files.deleteFile(path("a.txt")); }), Err::PathFileAccessError);
}

TEST_F(FileSystemTest, ClearedArchiveReadsAsSetAgainOnceTheFileChanges) {
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(50);
  const std::string file = path("a.txt");
  setAttributeWord(files, file, 0);
  writeFile(file, "bbb");  // same size, new modification time
  fs::last_write_time(file, stamp);
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);
  setAttributeWord(files, file, 0);
  writeFile(dir / "b", "bbb");
  fs::last_write_time(dir / "b", stamp);
  fs::rename(dir / "b", file);  // same size and time, another file
  EXPECT_EQ(files.getAttributes(file), Attr::Archive);
}

// A removal never waits in a batch.
TEST_F(FileSystemTest, BatchedArchiveRecordsAreKeptOnlyOnceCommitted) {
  const fs::path database = testing::Sandbox::root() / "batch.db";
  const std::string kept = path("a.txt");
  const std::string lost = path("b.txt");
  writeFile(lost, "b");
  const auto cleared = [&](FileSystem& store, const std::string& file) {
    const CopiedFile copy = store.copyFile(file, file + ".copy");
    store.clearArchive(file, copy.source);
  };
  {
    FileSystem store{database};
    store.beginArchiveBatch();
    cleared(store, kept);
    store.commitArchiveBatch();
    cleared(store, lost);
  }
  FileSystem reopened{database};
  EXPECT_EQ(reopened.getAttributes(kept), 0u);
  EXPECT_EQ(reopened.getAttributes(lost), Attr::Archive);

  // The same file found under the deleted name again would read as copied if its record
  // had stayed.
  const std::string spare = path("spare");
  fs::create_hard_link(kept, spare);
  reopened.beginArchiveBatch();
  cleared(reopened, lost);
  reopened.deleteFile(kept);
  fs::create_hard_link(spare, kept);
  EXPECT_EQ(FileSystem{database}.getAttributes(kept), Attr::Archive);
  reopened.endArchiveBatch();
  EXPECT_EQ(FileSystem{database}.getAttributes(lost), 0u);
}

// Without a box or the run's end, records commit once enough bytes were copied or the
// oldest of them waited long enough, each time with the copies flushed; not before.
TEST_F(FileSystemTest, BatchedArchiveRecordsCommitByBytesCopiedOrTimeWaited) {
  const fs::path database = testing::Sandbox::root() / "cadence.db";
  std::chrono::steady_clock::time_point now{};
  FileSystem store{database};
  store.commitArchiveEvery({std::chrono::seconds(30), 10, [&] { return now; }});
  store.beginArchiveBatch();
  // A file, its content, the seconds since the one before; whether it and all before it
  // are committed.
  const std::tuple<const char*, const char*, int, bool> steps[] = {
      {"c1", "1234", 0, false}, {"c2", "12345", 29, false}, {"c3", "6", 0, true},
      {"c4", "", 5, false},     {"c5", "", 29, false},      {"c6", "", 1, true},
  };
  for (const auto& [name, content, secondsLater, committed] : steps) {
    const std::string file = path(name);
    writeFile(file, content);
    now += std::chrono::seconds(secondsLater);
    store.clearArchive(file, store.copyFile(file, file + ".copy").source);
    EXPECT_EQ(FileSystem{database}.getAttributes(file), committed ? 0u : Attr::Archive) << name;
  }
  // A due commit whose flush fails drops its records: none outlives its copy.
  const std::string lost = path("c7");
  writeFile(lost, std::string(10, 'x'));
  const CopiedFile copy = store.copyFile(lost, lost + ".copy");
  store.faults().inject(FaultPoint::Flush, Err::DeviceIOError);
  EXPECT_EQ(raisedError([&] { store.clearArchive(lost, copy.source); }), Err::DeviceIOError);
  store.endArchiveBatch();
  EXPECT_EQ(FileSystem{database}.getAttributes(lost), Attr::Archive);
}

// A listing reads its folder's records at once: it must find the same words as a look at
// each file, for names that sort around a subfolder whose records it steps over.
TEST_F(FileSystemTest, ListingReadsTheArchiveWordOfEachFileAsALookAtItWould) {
  for (const char* name : {"sub-x", "sub0", "sub1", "sub/inner", "sub/z/deeper", "changed"})
    writeFile(dir / name, "bbb");
  for (const char* name : {"a.txt", "sub-x", "sub0", "sub/inner", "sub/z/deeper", "changed"})
    setAttributeWord(files, path(name), 0);
  writeFile(dir / "changed", "longer");
  setAttributeWord(files, path("noext"), Attr::ReadOnly);
  std::map<std::string, unsigned> listed;
  files.listFiles(path("*.*"), true, [&](std::string_view name, const FileSystem::Look& look) {
    const std::string file = path(std::string(name));
    listed[file] = look(file).attributes.value_or(99);
  });
  EXPECT_EQ(listed.size(), 7u);  // with the link to a.txt
  for (const auto& [file, word] : listed) EXPECT_EQ(word, files.getAttributes(file)) << file;
  EXPECT_EQ(listed[path("sub0")], 0u);
  EXPECT_EQ(listed[path("changed")], Attr::Archive);
}

TEST_F(FileSystemTest, ArchiveRecordsOfAnEarlierStoreLayoutStay) {
  const fs::path database = testing::Sandbox::root() / "earlier.db";
  const std::string kept = path("a.txt");
  struct stat st {};
  ASSERT_EQ(::stat(kept.c_str(), &st), 0);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
  const std::string record =
      "CREATE TABLE cleared (path TEXT PRIMARY KEY, size INTEGER, mtime_ns INTEGER, dev "
      "INTEGER, ino INTEGER); INSERT INTO cleared VALUES ('" +
      kept + "', " + std::to_string(st.st_size) + ", " +
      std::to_string(st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec) + ", " +
      std::to_string(st.st_dev) + ", " + std::to_string(st.st_ino) + ")";
  EXPECT_EQ(sqlite3_exec(db, record.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);

  {
    FileSystem earlier{database};
    setAttributeWord(earlier, path("noext"), 0);
  }
  FileSystem reopened{database};
  EXPECT_EQ(reopened.getAttributes(kept), 0u);
  EXPECT_EQ(reopened.getAttributes(path("noext")), 0u);
}

// Garbage, a file cut short, a folder or a pipe: each is set aside, replacing an earlier
// damaged one, and the records start afresh.
TEST_F(FileSystemTest, DamagedArchiveDatabaseIsSetAsideAndANewOneMade) {
  const fs::path database = testing::Sandbox::root() / "damaged.db";
  const fs::path aside = database.string() + ".damaged";
  const std::string file = path("a.txt");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  const std::function<void()> damages[] = {
      [&] { writeFile(database, std::string(5000, 'x')); },
      [&] {
        {
          FileSystem full{database};
          full.beginArchiveBatch();
          for (int n = 0; n < 3000; ++n) full.clearArchive(file + std::to_string(n), st);
          full.endArchiveBatch();
        }
        fs::resize_file(database, fs::file_size(database) / 2);
      },
      [&] { fs::create_directories(database / "inside"); },
      [&] { ASSERT_EQ(::mkfifo(database.c_str(), 0644), 0); },
  };
  for (std::size_t kind = 0; kind < std::size(damages); ++kind) {
    fs::remove_all(database);
    damages[kind]();
    const auto before = fs::status(database).type();
    FileSystem store{database};
    EXPECT_EQ(store.getAttributes(file), Attr::Archive) << kind;  // no error
    store.clearArchive(file, st);
    EXPECT_EQ(store.getAttributes(file), 0u) << kind;
    EXPECT_EQ(fs::status(aside).type(), before) << kind;
    const auto note = store.takeArchiveSetAside();
    ASSERT_TRUE(note.has_value()) << kind;
    EXPECT_EQ(note->database, database.string());
    EXPECT_FALSE(note->reason.empty());
    EXPECT_FALSE(store.takeArchiveSetAside().has_value());
  }
  FileSystem again{database};
  EXPECT_EQ(again.getAttributes(file), 0u);
  EXPECT_FALSE(again.takeArchiveSetAside().has_value());
}

TEST(ArchiveStoreFull, AFullDiskUnderTheStoreIsDiskFullNotADeviceError) {
  writeFile(testing::Sandbox::root() / "a.txt", "a");
  FileSystem files{testing::Sandbox::root() / "archive.db"};
  // No file of this process may grow past one byte now, as on a disk with one byte free.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit tight{1, saved.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &tight);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  const int error =
      raisedError([&] { setAttributeWord(files, testing::Sandbox::root() / "a.txt", 0); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(error, Err::DiskFull);
}

TEST(ArchiveStoreFull, AStoreThatCannotBeMadeFailsAsTheSystemSaid) {
  writeFile(testing::Sandbox::root() / "plain", "x");
  EXPECT_EQ(raisedError([] { ArchiveStore store(testing::Sandbox::root() / "plain/archive.db"); }),
            Err::PathNotFound);
}

}  // namespace
}  // namespace ferrowick::runtime
