#include <gtest/gtest.h>

#include "LanguageRig.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::services::testing {
namespace {

using namespace runtime;
using ferrowick::testing::Sandbox;
using ferrowick::testing::writeFile;

class modLanguageTest : public ::testing::Test, protected LanguageRig {
 protected:
  void shipLanguage(const std::string& name, const std::string& bytes) {
    writeFile(Sandbox::root() / "program/languages" / name / (name + ".txt"), bytes);
  }
  std::string storedLanguage() {
    return registry
        .ReadRegValue("Ferrowick", "Settings", "curLang", "<none>", HKEY_CURRENT_USER,
                      "SOFTWARE\\Halvorne")
        .text();
  }
  const std::string path = (Sandbox::root() / "lang.txt").string();
};

TEST_F(modLanguageTest, EachLineGivesTheEntryItsFirstThreeCharactersRead) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"100 Line one_Line two  ", 100, "Line one\rLine two  "},  // no line end after the last
      {"101 old\r\n101\r\n", 101, ""},
      {"&HA hex\r\n", 10, "hex"},
      {"-01 minus\r\n9D9 too large\r\n", 0, ""},  // nothing falls back to entry 0
      {" ;100 x\r\n\t\t\t\t\r\n", 0, ""},         // tabs are no blanks: entry 0 again
      {"400ß Straße\r\n", 400, " Straße"},        // the separator was the whole "ß"
  };
  for (const auto& [file, index, text] : cases) {
    SCOPED_TRACE(file);
    modLanguage table(app, scripted.host, registry, files);
    writeFile(path, file);
    EXPECT_EQ(table.LoadLanguageFile(path), modLanguage::FileLoad::Loaded);
    EXPECT_EQ(table.text(index), text);
  }
}

TEST_F(modLanguageTest, FileThatIsMissingLoadsNothingAndOneThatStopsReadingKeepsItsStart) {
  writeFile(Sandbox::root() / ".hidden.txt", "100 hidden\r\n");
  EXPECT_EQ(lang.LoadLanguageFile((Sandbox::root() / ".hidden.txt").string()),
            modLanguage::FileLoad::NoFile);
  EXPECT_EQ(lang.text(100), "");

  files.faults().inject(runtime::FaultPoint::ReadLine, Err::DeviceIOError, "lang.txt", 1, 2);
  writeFile(path, "100 one\r\n101 two\r\n102 three\r\n");
  EXPECT_EQ(lang.LoadLanguageFile(path), modLanguage::FileLoad::Loaded);
  EXPECT_EQ(lang.text(101), "two");
  EXPECT_EQ(lang.text(102), "");
}

TEST_F(modLanguageTest, IndexOutsideTheTableIsIgnored) {
  for (const std::int64_t outside : {std::int64_t{1000}, std::int64_t{-1}, std::int64_t{1} << 32}) {
    lang.setText(outside, "outside");
    EXPECT_EQ(lang.text(outside), "") << outside;
  }
}

// A stored language without its file (Polish here) is silent and keeps the table.
TEST_F(modLanguageTest, TheStoredLanguageChoosesTheFile) {
  shipLanguage("Deutsch", "100 Bitte warten\r\n");
  for (const char* stored : {"Deutsch", "Polish"}) {
    registry.WriteRegValue("Ferrowick", "Settings", "curLang", stored, HKEY_CURRENT_USER,
                           "SOFTWARE\\Halvorne", REG_SZ);
    lang.LoadLanguage();
  }
  EXPECT_EQ(lang.text(100), "Bitte warten");
  EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(modLanguageTest, UnstorableLanguageLeavesTheTableEmpty) {
  shipLanguage("English", "100 text\r\n");
  store.faults().inject(runtime::FaultPoint::ReplaceFile, Err::PermissionDenied);
  lang.LoadLanguage();
  EXPECT_EQ(storedLanguage(), "<none>");
  EXPECT_EQ(lang.text(100), "");
}

}  // namespace
}  // namespace ferrowick::services::testing
