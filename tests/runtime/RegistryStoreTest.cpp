#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"
#include "runtime/TestChecks.h"
#include "runtime/XdgDirs.h"
#include "runtime/registry/RegistryStore.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Bytes;
using testing::rawValue;
using testing::Sandbox;
using testing::setRaw;

class RegistryStoreTest : public ::testing::Test {
 protected:
  std::filesystem::path folder = Sandbox::root() / "config/Halvorne";
  RegistryStore store{folder, Sandbox::root() / "config/autostart"};

  HKey create(const std::string& path, std::uint32_t* disposition = nullptr) {
    HKey key = 0;
    EXPECT_EQ(store.createKey(HKEY_CURRENT_USER, path, 0x3F, key, disposition), ERROR_SUCCESS);
    return key;
  }
  std::string text() { return testing::readFile(store.fileOf(HKEY_CURRENT_USER)); }
};

TEST_F(RegistryStoreTest, KeysAndValuesKeepTheirBytesAndCaseAndAreFoundWithoutIt) {
  HKey key = 77;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "SOFTWARE\\X", KEY_READ, key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0u);
  std::uint32_t disposition = 0;
  key = create("SOFTWARE\\Halvorne\\Settings", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  const std::tuple<std::string, std::uint32_t, Bytes> values[] = {
      {"curLang", REG_SZ, {'E', 'n', 0}}, {"", REG_SZ, {}}, {"\"n\" %41 [x]\n\\", 99, {0, 0xFF}}};
  ASSERT_EQ(setRaw(store, key, "CURLANG", REG_SZ, {'h', 'i', 0}), ERROR_SUCCESS);  // replaced
  for (const auto& [name, type, data] : values) ASSERT_EQ(setRaw(store, key, name, type, data), 0);
  HKey level = 0, below = 0;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, "software\\HALVORNE", KEY_READ, level), ERROR_SUCCESS);
  EXPECT_EQ(store.openKey(level, "settings", KEY_READ, below), ERROR_SUCCESS);
  for (const auto& [name, type, data] : values)
    EXPECT_EQ(rawValue(store, below, name), std::make_pair(type, data)) << name;
  create("Software\\Halvorne\\Settings\\", &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  // Keys keep their first case, values their last; levels above are not written out.
  EXPECT_EQ(text(),
            "; HKEY_CURRENT_USER\n\n[SOFTWARE\\Halvorne\\Settings]\n\"\"=1:\n"
            "\"%22n%22 %2541 %5bx%5d%0a\\\"=99:00ff\n\"curLang\"=1:456e00\n");

  EXPECT_EQ(setRaw(store, below, "x", REG_SZ, {0}), ERROR_ACCESS_DENIED);
  // An empty key name anywhere, the last one included, is no path.
  for (const char* path : {"\\SOFTWARE", "SOFTWARE\\Halvorne\\\\"})
    EXPECT_EQ(store.createKey(HKEY_CURRENT_USER, path, 0x3F, key), ERROR_BAD_PATHNAME) << path;
}

TEST_F(RegistryStoreTest, DamagedUnreadableOrUnreplaceableFileLosesNothing) {
  testing::writeFile(store.fileOf(HKEY_CURRENT_USER),
                     "garbage\n\"orphan\"=1:6100\n[Good]\n\"a\"=1:6100\r\n\"odd\"=1:610\n"
                     "\"bad\"=1:zz00\n\"notype\"=:00\n\"huge\"=99999999999:00\n\"broken%4\"=1:00\n"
                     "[\\Bad]\n\"b\"=1:6200\n[Unclosed\n\"c\"=1:6300\n" +
                         std::string("\0\xff\x01[Good]\"x", 11));
  const HKey key = create("Good");
  ASSERT_EQ(setRaw(store, key, "new", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  EXPECT_EQ(rawValue(store, key, "a"), std::make_pair(REG_SZ, Bytes{'a', 0}));
  for (const char* name : {"orphan", "odd", "bad", "huge", "broken%4", "b", "c"})
    EXPECT_EQ(rawValue(store, key, name).first, 0u) << name;

  const std::string before = text();
  store.faults().inject(FaultPoint::ReplaceFile, Err::DiskFull);
  EXPECT_EQ(setRaw(store, key, "new", REG_SZ, {0}), ERROR_DISK_FULL);
  EXPECT_EQ(text(), before);
  HKey other = 0;

  // A file far larger than any store is not one of ours: it reads as empty and is kept.
  const auto machine = store.fileOf(HKEY_LOCAL_MACHINE);
  testing::writeFile(machine, "");
  std::filesystem::resize_file(machine, 65 << 20);
  EXPECT_NE(store.createKey(HKEY_LOCAL_MACHINE, "A", KEY_ALL_ACCESS, other), ERROR_SUCCESS);
  EXPECT_EQ(std::filesystem::file_size(machine), 65u << 20);
}

TEST(RegistryStoreLocation, UserStoreAndEntriesLiveInTheConfigFolder) {
  const auto config = Sandbox::root() / "xdg-config";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  RegistryStore store = RegistryStore::forCurrentUser();
  EXPECT_EQ(store.fileOf(HKEY_CURRENT_USER), config / "Halvorne/current-user.txt");
  HKey run = 0;
  store.openKey(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0x3F, run);
  ASSERT_EQ(setRaw(store, run, "App", REG_SZ, {'/', 'x', 0}), ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::exists(config / "autostart/App.desktop"));
  ::unsetenv("XDG_CONFIG_HOME");  // then it is ~/.config
  EXPECT_EQ(configHome(), Sandbox::root() / "home/.config");
}

}  // namespace
}  // namespace ferrowick::runtime
