#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/RuntimeError.h"
#include "services/RegistryFixture.h"
#include "services/modRegistry2.h"

namespace ferrowick::services {
namespace {

using namespace runtime;
using Bytes = std::vector<std::uint8_t>;

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
  EXPECT_EQ(modRegistry2::BuildKeyPath("", "", ""), "");
}

TEST_F(modRegistry2Test, StringReadsBackUnchangedAndOnlyReadingCreatesNothing) {
  EXPECT_EQ(read("curLang"), RegValue(""));
  EXPECT_EQ(read("curLang", "fallback"), RegValue("fallback"));
  EXPECT_FALSE(std::filesystem::exists(store.fileOf(HKEY_CURRENT_USER)));

  EXPECT_TRUE(write("curLang", "English", REG_SZ));
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "curLang"),
            std::make_pair(REG_SZ, Bytes{'E', 'n', 'g', 'l', 'i', 's', 'h', 0}));
  EXPECT_EQ(read("curLang"), RegValue("English"));
  EXPECT_EQ(
      registry.ReadRegValue("Ferrowick", "Settings", "curLang", "", HKEY_CURRENT_USER, kBase, true),
      RegValue("English"));

  EXPECT_TRUE(write("spaced", "  two words ", REG_EXPAND_SZ));
  EXPECT_EQ(read("spaced"), RegValue("  two words "));
}

TEST_F(modRegistry2Test, BlankEmptyAndUnsupportedValuesReadAsTheDefault) {
  EXPECT_TRUE(write("blank", "   ", REG_SZ));
  EXPECT_EQ(read("blank", "dflt"), RegValue("dflt"));
  putRaw(HKEY_CURRENT_USER, kKey, "noBytes", REG_SZ, {});
  EXPECT_EQ(read("noBytes", "dflt"), RegValue("dflt"));
  putRaw(HKEY_CURRENT_USER, kKey, "multi", REG_MULTI_SZ, {'a', 0, 0});
  putRaw(HKEY_CURRENT_USER, kKey, "qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(read("multi", "dflt"), RegValue("dflt"));
  EXPECT_EQ(read("qword", "dflt"), RegValue("dflt"));
  // A tab is not a space: such text is a value.
  EXPECT_TRUE(write("tab", "\t", REG_SZ));
  EXPECT_EQ(read("tab", "dflt"), RegValue("\t"));
}

TEST_F(modRegistry2Test, QueryGivesTypeStatusAndTheValueOfEachKind) {
  putRaw(HKEY_CURRENT_USER, "K", "bin", REG_BINARY, {10, 255, 0});
  putRaw(HKEY_CURRENT_USER, "K", "noBytes", REG_SZ, {});
  putRaw(HKEY_CURRENT_USER, "K", "big", REG_DWORD_BIG_ENDIAN, {1, 0, 0, 0});
  putRaw(HKEY_CURRENT_USER, "K", "multi", REG_MULTI_SZ, {'a', 0, 0});
  HKey key = 0;
  ASSERT_EQ(store.openKey(HKEY_CURRENT_USER, "K", KEY_READ, key), ERROR_SUCCESS);

  RegValue value;
  std::uint32_t type = 99;
  EXPECT_EQ(registry.QueryValueEx(key, "bin", value, type), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(value, RegValue("0A FF 00"));

  EXPECT_EQ(registry.QueryValueEx(key, "noBytes", value, type), ERROR_SUCCESS);
  EXPECT_EQ(value, RegValue(""));

  EXPECT_EQ(registry.QueryValueEx(key, "big", value, type), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD_BIG_ENDIAN);
  EXPECT_EQ(value, RegValue(std::int32_t{1}));  // memory order, no swap

  EXPECT_EQ(registry.QueryValueEx(key, "multi", value, type), -1);
  EXPECT_EQ(type, REG_MULTI_SZ);
  EXPECT_EQ(value, RegValue(""));

  type = 99;
  value = RegValue(std::int32_t{5});
  EXPECT_EQ(registry.QueryValueEx(key, "missing", value, type), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(type, 99u);
  EXPECT_EQ(value, RegValue(""));
  EXPECT_EQ(registry.QueryValueEx(0, "bin", value, type), ERROR_INVALID_HANDLE);
}

TEST_F(modRegistry2Test, DwordIsFourLittleEndianBytesRoundedHalfToEven) {
  EXPECT_TRUE(write("zero", "0", REG_DWORD));
  EXPECT_EQ(read("zero", "dflt"), RegValue(std::int32_t{0}));
  EXPECT_EQ(read("zero", "dflt").text(), "0");

  EXPECT_TRUE(write("neg", "-2", REG_DWORD));
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "neg"),
            std::make_pair(REG_DWORD, Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(read("neg"), RegValue(std::int32_t{-2}));

  EXPECT_TRUE(write("half", "2.5", REG_DWORD));
  EXPECT_TRUE(write("half2", "3.5", REG_DWORD_BIG_ENDIAN));
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "half").second, (Bytes{2, 0, 0, 0}));
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "half2"),
            std::make_pair(REG_DWORD_BIG_ENDIAN, Bytes{4, 0, 0, 0}));
  EXPECT_TRUE(write("big", "305419896", REG_DWORD));
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "big").second, (Bytes{0x78, 0x56, 0x34, 0x12}));
}

TEST_F(modRegistry2Test, WriteThatCannotConvertReturnsFalseAndWritesNothing) {
  EXPECT_FALSE(write("n", "abc", REG_DWORD));
  EXPECT_FALSE(write("n", "99999999999", REG_DWORD));
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "n").first, 0u);
}

TEST_F(modRegistry2Test, BinaryAndOtherTypesWriteNothingButStillSucceed) {
  EXPECT_TRUE(write("bin", "0A FF", REG_BINARY));
  EXPECT_TRUE(write("multi", "a", REG_MULTI_SZ));
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "bin").first, 0u);
  EXPECT_EQ(raw(HKEY_CURRENT_USER, kKey, "multi").first, 0u);
  HKey key = 0;
  EXPECT_EQ(store.openKey(HKEY_CURRENT_USER, kKey, KEY_READ, key), ERROR_SUCCESS);  // created
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

TEST_F(modRegistry2Test, StringWithEmbeddedNulKeepsAllButTheLastByte) {
  putRaw(HKEY_CURRENT_USER, kKey, "raw", REG_SZ, {'a', 0, 'b', 0});
  EXPECT_EQ(read("raw"), RegValue(std::string("a\0b", 3)));
  // Stored without its NUL, the last character is taken for it.
  putRaw(HKEY_CURRENT_USER, kKey, "unterminated", REG_SZ, {'a', 'b'});
  EXPECT_EQ(read("unterminated"), RegValue("a"));
}

}  // namespace
}  // namespace ferrowick::services
