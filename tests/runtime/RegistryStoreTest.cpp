#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/TestChecks.h"
#include "runtime/XdgDirs.h"
#include "runtime/registry/RegistryStore.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Bytes;
using testing::Sandbox;

class RegistryStoreTest : public ::testing::Test {
 protected:
  std::filesystem::path folder = Sandbox::root() / "config/Halvorne";
  RegistryStore store{folder, Sandbox::root() / "config/autostart"};

  HKey create(const std::string& path) {
    HKey key = 0;
    EXPECT_EQ(store.createKey(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, key), ERROR_SUCCESS);
    return key;
  }
  RegStatus set(HKey key, const std::string& name, std::uint32_t type, const Bytes& data) {
    return testing::setRaw(store, key, name, type, data);
  }
  std::pair<std::uint32_t, Bytes> get(HKey key, const std::string& name) {
    return testing::rawValue(store, key, name);
  }
};

TEST_F(RegistryStoreTest, MissingKeyOrValueReadsAsAbsentAndLeavesTheHandleZero) {
  HKey key = 77;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "SOFTWARE\\Halvorne", KEY_READ, key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0u);
  std::uint32_t size = 0;
  EXPECT_EQ(store.queryValue(key, "curLang", nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(store.closeKey(key), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(std::filesystem::exists(folder));  // reading creates nothing

  const HKey created = create("SOFTWARE\\Halvorne");
  EXPECT_EQ(store.queryValue(created, "curLang", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store.deleteValue(created, "curLang"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryStoreTest, CreateMakesEveryLevelAndNamesIgnoreCase) {
  std::uint32_t disposition = 0;
  HKey key = 0;
  ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, "SOFTWARE\\Halvorne\\Ferrowick\\Settings", 0x3F, key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(set(key, "curLang", REG_SZ, {'E', 'n', 0}), ERROR_SUCCESS);
  EXPECT_EQ(store.closeKey(key), ERROR_SUCCESS);

  HKey level = 0;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "software\\HALVORNE", KEY_READ, level), ERROR_SUCCESS);
  HKey below = 0;
  EXPECT_EQ(store.openKey(level, "ferrowick\\settings", KEY_READ, below), ERROR_SUCCESS);
  EXPECT_EQ(get(below, "CURLANG"), std::make_pair(REG_SZ, Bytes{'E', 'n', 0}));

  ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, "Software\\Halvorne\\Ferrowick\\Settings\\", 0x3F,
                            key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  // The key keeps the case it was created with.
  EXPECT_NE(testing::readFile(store.fileOf(HKEY_CURRENT_USER))
                .find("[SOFTWARE\\Halvorne\\Ferrowick\\Settings]"),
            std::string::npos);

  // The other root is a store of its own.
  EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorne", KEY_READ, level),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "\\SOFTWARE", KEY_READ, level), ERROR_BAD_PATHNAME);
  EXPECT_EQ(store.openKey(0x80000000u, "SOFTWARE", KEY_READ, level), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryStoreTest, ValuesKeepTheirExactBytesOfAnyTypeAcrossStores) {
  struct Case {
    std::string name;
    std::uint32_t type;
    Bytes data;
  };
  const Case cases[] = {
      {"text", REG_SZ, {'h', 'o', 0}}, {"multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
      {"empty", REG_SZ, {}},           {"odd \"name\" %41 [x]\n\\", 0x12345, {0, 0x80, 0xFF}},
      {"", REG_SZ, {'d', 0}},
  };
  const HKey key = create("A\\B");
  ASSERT_EQ(set(key, "text", REG_SZ, {'h', 'i', 0}), ERROR_SUCCESS);  // replaced below
  for (const Case& c : cases) ASSERT_EQ(set(key, c.name, c.type, c.data), ERROR_SUCCESS);

  RegistryStore reopened(folder, Sandbox::root() / "config/autostart");
  HKey again = 0;
  ASSERT_EQ(reopened.openKey(HKEY_CURRENT_USER, "a\\b", KEY_READ, again), ERROR_SUCCESS);
  for (const Case& c : cases) {
    EXPECT_EQ(testing::rawValue(reopened, again, c.name), std::make_pair(c.type, c.data)) << c.name;
  }
}

TEST_F(RegistryStoreTest, SmallBufferGetsTheSizeNeededAndReadHandleCannotWrite) {
  const HKey key = create("A");
  ASSERT_EQ(set(key, "v", REG_BINARY, {1, 2, 3}), ERROR_SUCCESS);
  Bytes small(2);
  std::uint32_t size = 2;
  EXPECT_EQ(store.queryValue(key, "v", nullptr, small.data(), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 3u);

  HKey readOnly = 0;
  ASSERT_EQ(store.openKey(HKEY_CURRENT_USER, "A", KEY_READ, readOnly), ERROR_SUCCESS);
  EXPECT_EQ(set(readOnly, "v", REG_BINARY, {9}), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.deleteValue(readOnly, "v"), ERROR_ACCESS_DENIED);
  HKey sub = 0;
  EXPECT_EQ(store.createKey(readOnly, "Sub", KEY_ALL_ACCESS, sub), ERROR_ACCESS_DENIED);
  EXPECT_EQ(get(key, "v").second, (Bytes{1, 2, 3}));

  EXPECT_EQ(store.deleteValue(key, "V"), ERROR_SUCCESS);
  EXPECT_EQ(get(key, "v").first, 0u);
  EXPECT_EQ(store.closeKey(key), ERROR_SUCCESS);
  EXPECT_EQ(store.closeKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryStoreTest, DamagedFileStillGivesItsIntactValues) {
  testing::writeFile(store.fileOf(HKEY_CURRENT_USER),
                     "garbage\n\"orphan\"=1:6100\n[Good]\n\"a\"=1:6100\r\n\"odd\"=1:610\n"
                     "\"bad\"=1:zz00\n\"notype\"=:00\n\"huge\"=99999999999:00\n\"broken%4\"=1:00\n"
                     "[\\Bad]\n\"b\"=1:6200\n[Unclosed\n\"c\"=1:6300\n" +
                         std::string("\0\xff\x01[Good]\"x", 11));
  HKey key = 0;
  ASSERT_EQ(store.openKey(HKEY_CURRENT_USER, "Good", KEY_READ, key), ERROR_SUCCESS);
  EXPECT_EQ(get(key, "a"), std::make_pair(REG_SZ, Bytes{'a', 0}));
  for (const char* name : {"orphan", "odd", "bad", "notype", "huge", "b", "c"})
    EXPECT_EQ(get(key, name).first, 0u) << name;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "Bad", KEY_READ, key), ERROR_FILE_NOT_FOUND);

  // The next write keeps what was intact.
  const HKey good = create("Good");
  ASSERT_EQ(set(good, "new", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  EXPECT_EQ(get(good, "a"), std::make_pair(REG_SZ, Bytes{'a', 0}));
}

TEST_F(RegistryStoreTest, UnreadableFileReadsAsEmptyAndIsNeverWrittenOver) {
  // A folder where the file should be cannot be read, even by root.
  std::filesystem::create_directories(store.fileOf(HKEY_CURRENT_USER) / "inside");
  HKey key = 0;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "A", KEY_READ, key), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(store.createKey(HKEY_CURRENT_USER, "A", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  EXPECT_EQ(key, 0u);
  EXPECT_TRUE(std::filesystem::exists(store.fileOf(HKEY_CURRENT_USER) / "inside"));
}

TEST_F(RegistryStoreTest, FailedWriteKeepsTheOldFileAndCreatesNoKey) {
  const HKey key = create("A");
  ASSERT_EQ(set(key, "v", REG_SZ, {'1', 0}), ERROR_SUCCESS);
  const std::string before = testing::readFile(store.fileOf(HKEY_CURRENT_USER));

  store.faults().inject("replaceFile", Err::DiskFull);
  EXPECT_EQ(set(key, "v", REG_SZ, {'2', 0}), ERROR_DISK_FULL);
  EXPECT_EQ(testing::readFile(store.fileOf(HKEY_CURRENT_USER)), before);
  EXPECT_EQ(get(key, "v").second, (Bytes{'1', 0}));

  store.faults().inject("replaceFile", Err::PermissionDenied);
  HKey other = 0;
  EXPECT_EQ(store.createKey(HKEY_CURRENT_USER, "B", KEY_ALL_ACCESS, other), ERROR_ACCESS_DENIED);
  EXPECT_EQ(other, 0u);
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "B", KEY_READ, other), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryStoreLocation, UserStoreAndEntriesLiveInTheConfigFolder) {
  const auto config = Sandbox::root() / "xdg-config";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  RegistryStore store = RegistryStore::forCurrentUser();
  EXPECT_EQ(store.fileOf(HKEY_CURRENT_USER), config / "Halvorne/current-user.txt");
  EXPECT_EQ(store.fileOf(HKEY_LOCAL_MACHINE), config / "Halvorne/local-machine.txt");
  HKey run = 0;
  ASSERT_EQ(store.openKey(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                          KEY_ALL_ACCESS, run),
            ERROR_SUCCESS);
  const std::uint8_t data[] = {'/', 'x', 0};
  ASSERT_EQ(store.setValue(run, "App", REG_SZ, data, 3), ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::exists(config / "autostart/App.desktop"));

  // Only an absolute XDG_CONFIG_HOME counts; otherwise it is ~/.config.
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
  EXPECT_EQ(configHome(), Sandbox::root() / "home/.config");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(configHome(), Sandbox::root() / "home/.config");
}

}  // namespace
}  // namespace ferrowick::runtime
