#include <gtest/gtest.h>

#include <tuple>

#include "runtime/RuntimeError.h"
#include "runtime/TestChecks.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"

namespace ferrowick::services {
namespace {

using namespace runtime;
using testing::Bytes;

constexpr const char* kBase = "SOFTWARE\\Halvorne";
constexpr const char* kKey = "SOFTWARE\\Halvorne\\Ferrowick\\Settings";

class modRegistry2Test : public ::testing::Test {
 protected:
  RegValue read(const std::string& name, const std::string& fallback = "") {
    return registry.ReadRegValue("Ferrowick", "Settings", name, fallback, HKEY_CURRENT_USER, kBase);
  }
  bool write(const std::string& name, const std::string& value, std::uint32_t type) {
    return registry.WriteRegValue("Ferrowick", "Settings", name, value, HKEY_CURRENT_USER, kBase,
                                  type);
  }
  std::pair<std::uint32_t, Bytes> raw(const std::string& name) {
    HKey key = 0;
    store.openKey(HKEY_CURRENT_USER, kKey, KEY_READ, key);
    return testing::rawValue(store, key, name);
  }

  RegistryStore store{testing::Sandbox::root() / "Halvorne",
                      testing::Sandbox::root() / "autostart"};
  modRegistry2 registry{store};
};

TEST(BuildKeyPath, JoinsPartsAndFoldsBackslashesBeforeTurningSlashes) {
  EXPECT_EQ(modRegistry2::BuildKeyPath("SOFTWARE\\Halvorne\\", "\\Ferrowick", "Settings"), kKey);
  // A "/" beside a "\" is turned after the folding, so two backslashes stay.
  EXPECT_EQ(modRegistry2::BuildKeyPath("A/", "B", ""), "A\\\\B");
}

TEST_F(modRegistry2Test, ReadCreatesNothingAndGivesEachKindOfStoredValueOrTheDefault) {
  EXPECT_EQ(read("v0", "dflt"), RegValue("dflt"));
  EXPECT_FALSE(std::filesystem::exists(store.fileOf(HKEY_CURRENT_USER)));
  const std::tuple<std::uint32_t, Bytes, RegValue> cases[] = {
      {REG_EXPAND_SZ, {' ', 'x', ' ', 0}, RegValue(" x ")},
      {REG_SZ, {' ', ' ', 0}, RegValue("dflt")},
      {REG_SZ, {'a', 0, 'b', 0}, RegValue(std::string("a\0b", 3))},
      {REG_SZ, {'a', 'b'}, RegValue("a")},  // without its NUL, the last byte is taken for it
      {REG_BINARY, {10, 255, 0}, RegValue("0A FF 00")},
      {REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}, RegValue(std::int32_t{-2})},
      {REG_DWORD_BIG_ENDIAN, {1, 0, 0, 0}, RegValue(std::int32_t{1})},  // memory order, no swap
      {REG_MULTI_SZ, {'a', 0, 0}, RegValue("dflt")},
  };
  HKey key = 0;
  store.createKey(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, key);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [type, bytes, value] = cases[i];
    testing::setRaw(store, key, "v" + std::to_string(i), type, bytes);
    EXPECT_EQ(read("v" + std::to_string(i), "dflt"), value) << i;
  }
}

TEST_F(modRegistry2Test, WriteStoresTextWithItsNulAndDwordsInMemoryOrder) {
  const std::tuple<const char*, std::uint32_t, bool, std::pair<std::uint32_t, Bytes>> cases[] = {
      {"En", REG_SZ, true, {REG_SZ, {'E', 'n', 0}}},
      {"3.5", REG_DWORD_BIG_ENDIAN, true, {REG_DWORD_BIG_ENDIAN, {4, 0, 0, 0}}},
      {"abc", REG_DWORD, false, {}},    // only a DWORD that cannot convert is refused
      {"0A FF", REG_BINARY, true, {}},  // nothing is written, but the key is made
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [text, type, ok, stored] = cases[i];
    EXPECT_EQ(write("v" + std::to_string(i), text, type), ok) << i;
    EXPECT_EQ(raw("v" + std::to_string(i)), stored) << i;
  }
}

TEST_F(modRegistry2Test, FailedStoreWriteStillReportsSuccessAndStoresNothing) {
  store.faults().inject(runtime::FaultPoint::ReplaceFile, Err::PermissionDenied);
  EXPECT_TRUE(write("curLang", "English", REG_SZ));  // the key cannot be created
  EXPECT_TRUE(write("other", "x", REG_SZ));
  store.faults().inject(runtime::FaultPoint::ReplaceFile, Err::PermissionDenied);
  EXPECT_TRUE(write("curLang", "English", REG_SZ));  // the value cannot be written
  EXPECT_EQ(read("curLang"), RegValue(""));
  EXPECT_EQ(read("other"), RegValue("x"));
}

}  // namespace
}  // namespace ferrowick::services
