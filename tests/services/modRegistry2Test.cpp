#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/RuntimeError.h"
#include "services/RegistryFixture.h"
#include "services/modRegistry2.h"

namespace ferrowick::services {
namespace {

using namespace runtime;
using testing::Bytes;

constexpr const char* kBase = "SOFTWARE\\Halvorne";
constexpr const char* kKey = "SOFTWARE\\Halvorne\\Ferrowick\\Settings";

class modRegistry2Test : public ::testing::Test, protected testing::RegistryFixture {
 protected:
  RegValue read(const std::string& name, const std::string& fallback = "") {
    return registry.ReadRegValue("Ferrowick", "Settings", name, fallback, HKEY_CURRENT_USER, kBase);
  }
  bool write(const std::string& name, const std::string& value, std::uint32_t type) {
    return registry.WriteRegValue("Ferrowick", "Settings", name, value, HKEY_CURRENT_USER, kBase,
                                  type);
  }
};

TEST(BuildKeyPath, JoinsPartsAndFoldsBackslashesBeforeTurningSlashes) {
  EXPECT_EQ(modRegistry2::BuildKeyPath(kBase, "Ferrowick", "Settings"), kKey);
  EXPECT_EQ(modRegistry2::BuildKeyPath(kBase, "", "Settings"), "SOFTWARE\\Halvorne\\Settings");
  EXPECT_EQ(modRegistry2::BuildKeyPath("SOFTWARE\\Halvorne\\", "\\Ferrowick", "Settings"), kKey);
  EXPECT_EQ(modRegistry2::BuildKeyPath("SOFTWARE/Halvorne", "Ferrowick", "Settings"), kKey);
  EXPECT_EQ(modRegistry2::BuildKeyPath("A\\\\\\\\B", "", ""), "A\\B");
  // A "/" beside a "\" is turned after the folding, so two backslashes stay.
  EXPECT_EQ(modRegistry2::BuildKeyPath("A/", "B", ""), "A\\\\B");
  EXPECT_EQ(modRegistry2::BuildKeyPath("", "", "Settings"), "Settings");
}

TEST_F(modRegistry2Test, ReadingCreatesNothingAndWrittenTextReadsBack) {
  EXPECT_EQ(read("curLang", "fallback"), RegValue("fallback"));
  EXPECT_FALSE(std::filesystem::exists(store.fileOf(HKEY_CURRENT_USER)));
  EXPECT_TRUE(write("curLang", "English", REG_SZ));
  EXPECT_EQ(
      registry.ReadRegValue("Ferrowick", "Settings", "curLang", "", HKEY_CURRENT_USER, kBase, true),
      RegValue("English"));
}

TEST_F(modRegistry2Test, ReadGivesEachKindOfStoredValueOrTheDefault) {
  struct Case {
    std::uint32_t type;
    Bytes bytes;
    RegValue value;
  };
  const Case cases[] = {
      {REG_EXPAND_SZ, {' ', 'x', ' ', 0}, RegValue(" x ")},
      {REG_SZ, {'\t', 0}, RegValue("\t")},  // a tab is not a space
      {REG_SZ, {' ', ' ', 0}, RegValue("dflt")},
      {REG_SZ, {}, RegValue("dflt")},
      {REG_SZ, {'a', 0, 'b', 0}, RegValue(std::string("a\0b", 3))},
      {REG_SZ, {'a', 'b'}, RegValue("a")},  // without its NUL, the last byte is taken for it
      {REG_BINARY, {10, 255, 0}, RegValue("0A FF 00")},
      {REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}, RegValue(std::int32_t{-2})},
      {REG_DWORD, {0, 0, 0, 0}, RegValue(std::int32_t{0})},
      {REG_DWORD_BIG_ENDIAN, {1, 0, 0, 0}, RegValue(std::int32_t{1})},  // memory order, no swap
      {REG_MULTI_SZ, {'a', 0, 0}, RegValue("dflt")},
      {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, RegValue("dflt")},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string name = "v" + std::to_string(i);
    putRaw(HKEY_CURRENT_USER, kKey, name, cases[i].type, cases[i].bytes);
    EXPECT_EQ(read(name, "dflt"), cases[i].value) << name;
  }
  EXPECT_EQ(read("v8", "dflt").text(), "0");
}

TEST_F(modRegistry2Test, QueryGivesTheTypeAndFailsOnOtherKinds) {
  putRaw(HKEY_CURRENT_USER, "K", "multi", REG_MULTI_SZ, {'a', 0, 0});
  HKey key = 0;
  ASSERT_EQ(store.openKey(HKEY_CURRENT_USER, "K", KEY_READ, key), ERROR_SUCCESS);
  RegValue value(std::int32_t{5});
  std::uint32_t type = 99;
  EXPECT_EQ(registry.QueryValueEx(key, "missing", value, type), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(type, 99u);
  EXPECT_EQ(value, RegValue(""));
  value = RegValue(std::int32_t{5});
  EXPECT_EQ(registry.QueryValueEx(key, "multi", value, type), -1);
  EXPECT_EQ(type, REG_MULTI_SZ);
  EXPECT_EQ(value, RegValue(""));
  EXPECT_EQ(registry.QueryValueEx(0, "multi", value, type), ERROR_INVALID_HANDLE);
}

TEST_F(modRegistry2Test, WriteStoresTextWithItsNulAndDwordsRoundedHalfToEven) {
  // Types that write nothing still make the key.
  EXPECT_TRUE(write("bin", "0A FF", REG_BINARY));
  HKey key = 0;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, kKey, KEY_READ, key), ERROR_SUCCESS);
  struct Case {
    const char* value;
    std::uint32_t type;
    bool ok;
    std::pair<std::uint32_t, Bytes> stored;
  };
  const Case cases[] = {
      {"English", REG_SZ, true, {REG_SZ, {'E', 'n', 'g', 'l', 'i', 's', 'h', 0}}},
      {" x ", REG_EXPAND_SZ, true, {REG_EXPAND_SZ, {' ', 'x', ' ', 0}}},
      {"-2", REG_DWORD, true, {REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}}},
      {"2.5", REG_DWORD, true, {REG_DWORD, {2, 0, 0, 0}}},
      {"3.5", REG_DWORD_BIG_ENDIAN, true, {REG_DWORD_BIG_ENDIAN, {4, 0, 0, 0}}},
      {"abc", REG_DWORD, false, {}},  // only a DWORD that cannot convert is refused
      {"99999999999", REG_DWORD, false, {}},
      {"a", REG_MULTI_SZ, true, {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string name = "v" + std::to_string(i);
    EXPECT_EQ(write(name, cases[i].value, cases[i].type), cases[i].ok) << name;
    EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, name), cases[i].stored) << name;
  }
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "bin").first, 0u);
}

TEST_F(modRegistry2Test, FailedStoreWriteStillReportsSuccessAndStoresNothing) {
  store.faults().inject("replaceFile", Err::PermissionDenied);
  EXPECT_TRUE(write("curLang", "English", REG_SZ));  // the key cannot be created
  EXPECT_EQ(read("curLang"), RegValue(""));

  EXPECT_TRUE(write("other", "x", REG_SZ));
  store.faults().inject("replaceFile", Err::PermissionDenied);
  EXPECT_TRUE(write("curLang", "English", REG_SZ));  // the value cannot be written
  EXPECT_EQ(read("curLang"), RegValue(""));
  EXPECT_EQ(read("other"), RegValue("x"));
}

}  // namespace
}  // namespace ferrowick::services
