#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
  int load(const std::string& bytes) {
    writeFile(Sandbox::root() / "lang.txt", bytes);
    return lang.LoadLanguageFile((Sandbox::root() / "lang.txt").string());
  }
  bool storeLanguage(const std::string& name) {
    return registry.WriteRegValue("Ferrowick", "Settings", "curLang", name, HKEY_CURRENT_USER,
                                  "SOFTWARE\\Halvorne", REG_SZ);
  }
  std::string storedLanguage() {
    return registry
        .ReadRegValue("Ferrowick", "Settings", "curLang", "<none>", HKEY_CURRENT_USER,
                      "SOFTWARE\\Halvorne")
        .text();
  }
};

TEST_F(modLanguageTest, EachLineGivesTheEntryItsFirstThreeCharactersRead) {
  struct Case {
    const char* file;
    int index;
    const char* text;
  };
  const Case cases[] = {
      {"100 Line one_Line two", 100, "Line one\rLine two"},  // no line end after the last
      {"104 trailing  \r\n", 104, "trailing  "},
      {"101 old\r\n101\r\n", 101, ""},
      {"102 old\r\n102 \r\n", 102, ""},
      {"103Hello\r\n", 103, "ello"},
      {"1000 x\r\n", 100, " x"},
      {"205 first\r\n205 second\r\n", 205, "second"},
      {"1 6 inner space\r\n", 16, "inner space"},  // the index is read as a number
      {"2.5 even\r\n", 2, "even"},
      {"&HA hex\r\n", 10, "hex"},
      {"-01 minus\r\n", 1, ""},
      {"-01 minus\r\n9D9 too large\r\n", 0, ""},  // nothing falls back to entry 0
      {";100 comment\r\n\r\n      \r\n", 0, ""},  // comments and blank lines write nothing
      {" ;100 x\r\n", 0, "0 x"},                  // a comment starts in the first column
      {" ;100 x\r\n\t\t\t\t\r\n", 0, ""},         // tabs are no blanks: entry 0 again
      {"abcdef\r\n", 0, "ef"},
      {"100 a\r101 b\r\n", 100, "a"},         // a CR alone ends a line
      {"300 a\n301 b\n", 300, "a\n301 b\n"},  // an LF alone does not
      {"10ä Zażółć gęślą jaźń\r\n", 10, "Zażółć gęślą jaźń"},
      {"400ß Straße\r\n", 400, " Straße"},  // the separator was the whole "ß"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    modLanguage table(app, scripted.host, registry, files);
    writeFile(Sandbox::root() / "lang.txt", c.file);
    EXPECT_EQ(table.LoadLanguageFile((Sandbox::root() / "lang.txt").string()), 0);
    EXPECT_EQ(table.text(c.index), c.text);
  }
}

TEST_F(modLanguageTest, MissingEmptyHiddenOrFolderPathLoadsNothing) {
  writeFile(Sandbox::root() / ".hidden.txt", "100 hidden\r\n");
  std::filesystem::create_directory(Sandbox::root() / "folder.txt");
  for (const char* name : {"none.txt", ".hidden.txt", "folder.txt"}) {
    EXPECT_EQ(lang.LoadLanguageFile((Sandbox::root() / name).string()), 1) << name;
  }
  EXPECT_EQ(lang.LoadLanguageFile(""), 1);
  EXPECT_EQ(lang.text(100), "");
  EXPECT_EQ(load(""), 0);
}

TEST_F(modLanguageTest, FileThatStopsReadingKeepsWhatWasLoadedAndReturns) {
  files.faults().inject("readLine", Err::DeviceIOError, "lang.txt", 1, 2);
  EXPECT_EQ(load("100 one\r\n101 two\r\n102 three\r\n"), 0);
  EXPECT_EQ(lang.text(101), "two");
  EXPECT_EQ(lang.text(102), "");

  files.faults().inject("openText", Err::PermissionDenied, "lang.txt");
  EXPECT_EQ(load("103 never\r\n"), 0);
  EXPECT_EQ(lang.text(103), "");
}

TEST_F(modLanguageTest, IndexOutsideTheTableIsIgnored) {
  lang.setText(999, "last");
  for (const std::int64_t outside : {std::int64_t{1000}, std::int64_t{-1}, std::int64_t{1} << 32}) {
    lang.setText(outside, "outside");
    EXPECT_EQ(lang.text(outside), "") << outside;
  }
  EXPECT_EQ(lang.text(999), "last");
  EXPECT_EQ(lang.text(0), "");
}

TEST_F(modLanguageTest, FirstStartAsksOnceStoresEnglishAndLoadsIt) {
  shipLanguage("English", "100 Loading..._Please wait\r\n");
  lang.LoadLanguage();
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].text, "Error: Failed loading selected language.");
  EXPECT_EQ(scripted.messages.shown[0].style, MsgStyle::Critical);
  EXPECT_EQ(scripted.messages.shown[0].caption, "Ferrowick");
  EXPECT_EQ(storedLanguage(), "English");
  EXPECT_EQ(lang.text(100), "Loading...\rPlease wait");

  // The next start finds the stored name.
  ferrowick::testing::ScriptedHost nextHost;
  modLanguage next(app, nextHost.host, registry, files);
  next.LoadLanguage();
  EXPECT_TRUE(nextHost.messages.shown.empty());
  EXPECT_EQ(next.text(100), "Loading...\rPlease wait");
}

TEST_F(modLanguageTest, StoredLanguageChoosesTheFileAndAMissingFileIsSilent) {
  shipLanguage("Deutsch", "100 Bitte warten\r\n");
  ASSERT_TRUE(storeLanguage("Deutsch"));
  lang.LoadLanguage();
  EXPECT_EQ(lang.text(100), "Bitte warten");

  ASSERT_TRUE(storeLanguage("Polish"));
  modLanguage polish(app, scripted.host, registry, files);
  polish.LoadLanguage();
  EXPECT_TRUE(scripted.messages.shown.empty());
  EXPECT_EQ(polish.text(100), "");
}

TEST_F(modLanguageTest, UnstorableLanguageLeavesTheTableEmpty) {
  shipLanguage("English", "100 text\r\n");
  store.faults().inject("replaceFile", Err::PermissionDenied);
  lang.LoadLanguage();
  EXPECT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(storedLanguage(), "<none>");
  EXPECT_EQ(lang.text(100), "");
}

}  // namespace
}  // namespace ferrowick::services::testing
