#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/App.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "services/RegistryFixture.h"
#include "services/modLanguage.h"
#include "support/ScriptedHost.h"

namespace ferrowick::services {
namespace {

using namespace runtime;
using ferrowick::testing::Sandbox;
using ferrowick::testing::writeFile;

constexpr const char* kMissingLanguage = "Error: Failed loading selected language.";

class modLanguageTest : public ::testing::Test, protected ferrowick::testing::RegistryFixture {
 protected:
  std::filesystem::path program = Sandbox::root() / "program";
  App app{"Ferrowick", program.string(), "ferrowick", Version{}, false};
  ferrowick::testing::ScriptedHost host;
  FileSystem fs{Sandbox::root() / "archive.db"};
  modLanguage lang{app, host.host, registry, fs};

  std::string languageFile(const std::string& name) {
    return (program / "languages" / name / (name + ".txt")).string();
  }
  // Writes the file and loads it into a fresh table.
  int load(const std::string& bytes) {
    const auto path = Sandbox::root() / "lang.txt";
    writeFile(path, bytes);
    return lang.LoadLanguageFile(path.string());
  }
  std::string storedLanguage() {
    return registry
        .ReadRegValue("Ferrowick", "Settings", "curLang", "<none>", HKEY_CURRENT_USER,
                      "SOFTWARE\\Halvorne")
        .text();
  }
};

TEST_F(modLanguageTest, EntryLinesGiveTextFromTheFifthCharacterWithLineBreaks) {
  EXPECT_EQ(load("100 Line one_Line two\r\n"
                 "101\r\n"
                 "102 \r\n"
                 "103Hello\r\n"
                 "1000 x\r\n"
                 "104 trailing  \r\n"
                 "001 first\r\n"),
            0);
  EXPECT_EQ(lang.text(100), " x");  // only three characters are the index
  EXPECT_EQ(lang.text(101), "");
  EXPECT_EQ(lang.text(102), "");
  EXPECT_EQ(lang.text(103), "ello");
  EXPECT_EQ(lang.text(104), "trailing  ");
  EXPECT_EQ(lang.text(1), "first");

  EXPECT_EQ(load("100 Line one_Line two"), 0);
  EXPECT_EQ(lang.text(100), "Line one\rLine two");
}

TEST_F(modLanguageTest, IndexIsReadLikeANumberFromThreeCharacters) {
  load(
      "-01 minus\r\n"
      "99  ninety-nine\r\n"
      " 15 space first\r\n"
      "1 6 inner space\r\n"
      "1.5 rounds up\r\n"
      "2.5 rounds to even\r\n"
      "&HA hex\r\n"
      "1E2 exponent\r\n"
      "9D9 too large\r\n"
      "205 first\r\n"
      "205 second\r\n");
  EXPECT_EQ(lang.text(99), "ninety-nine");
  EXPECT_EQ(lang.text(15), "space first");
  EXPECT_EQ(lang.text(16), "inner space");
  EXPECT_EQ(lang.text(2), "rounds to even");
  EXPECT_EQ(lang.text(10), "hex");
  EXPECT_EQ(lang.text(100), "exponent");
  EXPECT_EQ(lang.text(205), "second");
  EXPECT_EQ(lang.text(1), "");  // -01 is ignored
  EXPECT_EQ(lang.text(0), "");  // nothing fell back to entry 0
  EXPECT_EQ(lang.text(-1), "");
}

TEST_F(modLanguageTest, CommentsOnlyInTheFirstColumnAndBlankMeansSpacesOnly) {
  load(
      ";100 comment\r\n"
      "    \r\n"
      "\r\n"
      "200 kept\r\n");
  EXPECT_EQ(lang.text(100), "");
  EXPECT_EQ(lang.text(0), "");
  EXPECT_EQ(lang.text(200), "kept");

  load(" ;100 x\r\n");
  EXPECT_EQ(lang.text(0), "0 x");
  load("\t\t\t\t\r\n");  // tabs are no blanks: the line writes entry 0
  EXPECT_EQ(lang.text(0), "");
  load("abcdef\r\n");
  EXPECT_EQ(lang.text(0), "ef");
}

TEST_F(modLanguageTest, LineEndsAreCarriageReturnsAndLineFeedsAloneDoNot) {
  EXPECT_EQ(load("100 a\r101 b\r\n102 c"), 0);
  EXPECT_EQ(lang.text(100), "a");
  EXPECT_EQ(lang.text(101), "b");
  EXPECT_EQ(lang.text(102), "c");

  load("300 a\n301 b\n");
  EXPECT_EQ(lang.text(300), "a\n301 b\n");
  EXPECT_EQ(lang.text(301), "");
}

TEST_F(modLanguageTest, CharactersAreUtf8CharactersNotBytes) {
  load("10ä Zażółć gęślą jaźń\r\n");
  EXPECT_EQ(lang.text(10), "Zażółć gęślą jaźń");
  load("400ß Straße\r\n");
  EXPECT_EQ(lang.text(400), " Straße");  // the separator was the whole "ß"
}

TEST_F(modLanguageTest, MissingEmptyHiddenOrFolderPathLoadsNothing) {
  EXPECT_EQ(lang.LoadLanguageFile(""), 1);
  EXPECT_EQ(lang.LoadLanguageFile((Sandbox::root() / "none.txt").string()), 1);
  writeFile(Sandbox::root() / ".hidden.txt", "100 hidden\r\n");
  EXPECT_EQ(lang.LoadLanguageFile((Sandbox::root() / ".hidden.txt").string()), 1);
  std::filesystem::create_directory(Sandbox::root() / "folder.txt");
  EXPECT_EQ(lang.LoadLanguageFile((Sandbox::root() / "folder.txt").string()), 1);
  EXPECT_EQ(load(""), 0);
  EXPECT_EQ(lang.text(100), "");
}

TEST_F(modLanguageTest, FileThatStopsReadingKeepsWhatWasLoadedAndReturns) {
  fs.faults().inject("readLine", Err::DeviceIOError, "lang.txt", 1, 2);
  EXPECT_EQ(load("100 one\r\n101 two\r\n102 three\r\n"), 0);
  EXPECT_EQ(lang.text(100), "one");
  EXPECT_EQ(lang.text(101), "two");
  EXPECT_EQ(lang.text(102), "");

  fs.faults().inject("openText", Err::PermissionDenied, "lang.txt");
  EXPECT_EQ(load("103 never\r\n"), 0);
  EXPECT_EQ(lang.text(103), "");
}

TEST_F(modLanguageTest, TableIndexOutsideTheTableIsIgnored) {
  lang.setText(999, "last");
  lang.setText(1000, "beyond");
  lang.setText(-1, "negative");
  lang.setText(std::int64_t{1} << 32, "wrapped");
  EXPECT_EQ(lang.text(999), "last");
  EXPECT_EQ(lang.text(1000), "");
  EXPECT_EQ(lang.text(0), "");
  EXPECT_EQ(lang.text(std::int64_t{1} << 32), "");
}

TEST_F(modLanguageTest, FirstStartAsksOnceStoresEnglishAndLoadsIt) {
  writeFile(languageFile("English"), "100 Loading..._Please wait\r\n");
  lang.LoadLanguage();
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, kMissingLanguage);
  EXPECT_EQ(host.messages.shown[0].style, MsgStyle::Critical);
  EXPECT_EQ(host.messages.shown[0].caption, "Ferrowick");
  EXPECT_EQ(storedLanguage(), "English");
  EXPECT_EQ(lang.text(100), "Loading...\rPlease wait");

  // The next start finds the stored name.
  ferrowick::testing::ScriptedHost nextHost;
  modLanguage next(app, nextHost.host, registry, fs);
  next.LoadLanguage();
  EXPECT_TRUE(nextHost.messages.shown.empty());
  EXPECT_EQ(next.text(100), "Loading...\rPlease wait");
}

TEST_F(modLanguageTest, StoredLanguageChoosesTheFileAndAMissingFileIsSilent) {
  writeFile(languageFile("Deutsch"), "100 Bitte warten\r\n");
  ASSERT_TRUE(registry.WriteRegValue("Ferrowick", "Settings", "curLang", "Deutsch",
                                     HKEY_CURRENT_USER, "SOFTWARE\\Halvorne", REG_SZ));
  lang.LoadLanguage();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(lang.text(100), "Bitte warten");

  ASSERT_TRUE(registry.WriteRegValue("Ferrowick", "Settings", "curLang", "Polish",
                                     HKEY_CURRENT_USER, "SOFTWARE\\Halvorne", REG_SZ));
  modLanguage polish(app, host.host, registry, fs);
  polish.LoadLanguage();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(polish.text(100), "");
}

TEST_F(modLanguageTest, UnstorableLanguageLeavesTheTableEmpty) {
  writeFile(languageFile("English"), "100 text\r\n");
  store.faults().inject("replaceFile", Err::PermissionDenied);
  lang.LoadLanguage();
  EXPECT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(storedLanguage(), "<none>");
  EXPECT_EQ(lang.text(100), "");
}

TEST_F(modLanguageTest, ShippedLanguagesLoadThroughTheStoredName) {
  // The source tree stands in for the program folder: languages/ sits at its top.
  const App shipped{"Ferrowick", FERROWICK_SOURCE_DIR, "ferrowick", Version{}, false};
  for (const char* name : {"English", "Polish", "Deutsch"}) {
    ASSERT_TRUE(registry.WriteRegValue("Ferrowick", "Settings", "curLang", name,
                                       HKEY_CURRENT_USER, "SOFTWARE\\Halvorne", REG_SZ));
    modLanguage table(shipped, host.host, registry, fs);
    table.LoadLanguage();
    EXPECT_FALSE(table.text(100).empty()) << name;
    EXPECT_FALSE(table.text(101).empty()) << name;
    EXPECT_EQ(table.text(101).find('\n'), std::string::npos) << name;
  }
  EXPECT_TRUE(host.messages.shown.empty());
}

}  // namespace
}  // namespace ferrowick::services
