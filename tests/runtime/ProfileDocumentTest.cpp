#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/profile/PrivateProfile.h"
#include "runtime/profile/ProfileDocument.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::readFile;
using testing::Sandbox;
using testing::writeFile;

int filesIn(const std::filesystem::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
    ++count;
  }
  return count;
}

TEST(ProfileDocument, NamesMatchWithoutCaseValuesStayExact) {
  const auto document = ProfileDocument::parse("[When]\r\nDefault=True\r\n[Log]\r\nSave=false\r\n");
  std::string value;
  EXPECT_EQ(document.read("when", "DEFAULT", value), 4u);
  EXPECT_EQ(value, "True");
  EXPECT_EQ(document.read("LOG", "save", value), 5u);
  EXPECT_EQ(value, "false");
  EXPECT_EQ(document.read("When", "Save", value), 0u);  // the key lives in another section
  EXPECT_EQ(document.read("Nowhere", "Default", value), 0u);
  EXPECT_EQ(value, "");
}

TEST(ProfileDocument, ReadsAnyLineEndAndWritesCrLf) {
  auto document = ProfileDocument::parse("[A]\nx=1\r[B]\r\ny=2\n\nz=3");
  EXPECT_EQ(*document.find("A", "x"), "1");
  EXPECT_EQ(*document.find("B", "y"), "2");
  EXPECT_EQ(*document.find("B", "z"), "3");
  EXPECT_EQ(document.text(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n\r\nz=3\r\n");
}

TEST(ProfileDocument, EmptyValueReadsAsAbsentButExists) {
  const auto document = ProfileDocument::parse("[Entries]\r\n0=\r\n");
  std::string value = "stale";
  EXPECT_EQ(document.read("Entries", "0", value), 0u);
  EXPECT_EQ(value, "");
  ASSERT_NE(document.find("Entries", "0"), nullptr);
  EXPECT_EQ(document.find("Entries", "1"), nullptr);
}

TEST(ProfileDocument, ReadCopiesAtMostSizeLessOneWithoutSplittingACharacter) {
  ProfileDocument document;
  const std::string longValue(300, 'a');
  ASSERT_EQ(document.write("S", "k", longValue), 1);
  std::string value;
  EXPECT_EQ(document.read("S", "k", value), 254u);
  EXPECT_EQ(value, std::string(254, 'a'));
  EXPECT_EQ(*document.find("S", "k"), longValue);  // the document itself keeps it all

  // "é" is two bytes: a cut through its middle leaves it out.
  ASSERT_EQ(document.write("S", "u", std::string(253, 'b') + "\xC3\xA9" + "c"), 1);
  EXPECT_EQ(document.read("S", "u", value), 253u);
  EXPECT_EQ(document.read("S", "u", value, 257), 256u);
  EXPECT_EQ(value.substr(253), "\xC3\xA9" "c");
}

TEST(ProfileDocument, WriteCreatesSectionsAndReplacesKeysInPlace) {
  auto document = ProfileDocument::parse("; kept comment\r\n[When]\r\nAlwaysAt=07:30\r\nnote\r\n");
  EXPECT_EQ(document.write("when", "ALWAYSAT", "08:00"), 1);
  EXPECT_EQ(document.write("When", "Each", "???"), 1);
  EXPECT_EQ(document.write("Entries", "0", "/data/*.*"), 1);
  EXPECT_EQ(document.text(),
            "; kept comment\r\n[When]\r\nALWAYSAT=08:00\r\nnote\r\nEach=???\r\n"
            "[Entries]\r\n0=/data/*.*\r\n");
}

TEST(ProfileDocument, RefusesWhatTheFileCannotHold) {
  ProfileDocument document;
  ASSERT_EQ(document.write("S", "k", "old"), 1);
  const std::string before = document.text();
  EXPECT_EQ(document.write("S", "k", "two\nlines"), 0);
  EXPECT_EQ(document.write("S", "k", "carriage\rreturn"), 0);
  EXPECT_EQ(document.write("S", "k", std::string("nul\0", 4)), 0);
  EXPECT_EQ(document.write("S", "a=b", "v"), 0);
  EXPECT_EQ(document.write("S]", "k", "v"), 0);
  EXPECT_EQ(document.write("S", "", "v"), 0);
  EXPECT_EQ(document.text(), before);
  // A line break in a value would otherwise let it write keys of its own.
  EXPECT_EQ(document.write("Entries", "0", "/x\r\n[Options]\r\nLoadWin=True"), 0);
  EXPECT_EQ(document.find("Options", "LoadWin"), nullptr);
}

TEST(ProfileDocument, EveryWrittenValueReadsBackTheSame) {
  const std::string values[] = {"plain",       "  leading", "trailing\t", "\"quoted\"",
                                "'single'",    "\"half",    "a = b",      "[not a section]",
                                "; not a note", " ", "ünïcödé"};
  ProfileDocument document;
  int key = 0;
  for (const auto& value : values) {
    ASSERT_EQ(document.write("S", std::to_string(key++), value), 1) << value;
  }
  const auto reread = ProfileDocument::parse(document.text());
  key = 0;
  for (const auto& value : values) {
    const std::string* found = reread.find("S", std::to_string(key++));
    ASSERT_NE(found, nullptr) << value;
    EXPECT_EQ(*found, value);
  }
  EXPECT_NE(document.text().find("\r\n0=plain\r\n"), std::string::npos);  // plain stays plain
}

TEST(ProfileDocument, HandEditedSpacingAndQuotesAreNotPartOfTheValue) {
  const auto document =
      ProfileDocument::parse("  [ Log ]  \r\n  Save =  False \r\nName=\"  x  \"\r\n");
  EXPECT_EQ(*document.find("Log", "Save"), "False");
  EXPECT_EQ(*document.find("Log", "Name"), "  x  ");
}

TEST(ProfileFile, LoadOfAMissingFileIsEmptyAndUnreadableRaises) {
  const auto folder = Sandbox::root() / "data";
  EXPECT_EQ(ProfileDocument::load(folder / "none.ini").text(), "");
  EXPECT_EQ(ProfileDocument::load(folder / "no" / "such" / "x.ini").text(), "");

  std::filesystem::create_directories(folder / "folder.ini");
  try {
    ProfileDocument::load(folder / "folder.ini");
    FAIL() << "a folder read as a profile";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), Err::PathFileAccessError);
  }

  Faults faults;
  faults.inject("readProfile", Err::PermissionDenied);
  writeFile(folder / "a.ini", "[S]\r\nk=v\r\n");
  EXPECT_THROW(ProfileDocument::load(folder / "a.ini", &faults), RuntimeError);
  EXPECT_EQ(*ProfileDocument::load(folder / "a.ini", &faults).find("S", "k"), "v");
}

TEST(ProfileFile, SaveReplacesTheWholeFileAndAFailedSaveLeavesItAlone) {
  const auto folder = Sandbox::root() / "data";
  const auto file = folder / "s.ini";
  writeFile(file, "[S]\r\nk=old\r\n");

  ProfileDocument document;
  document.write("S", "k", std::string(100000, 'n'));
  Faults faults;
  faults.inject("stageFile", Err::DiskFull);
  try {
    document.save(file, &faults);
    FAIL() << "the injected failure did not happen";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), Err::DiskFull);
  }
  EXPECT_EQ(readFile(file), "[S]\r\nk=old\r\n");
  EXPECT_EQ(filesIn(folder), 1);  // no half-written temporary file

  faults.inject("commitFile", Err::PermissionDenied);
  EXPECT_THROW(document.save(file, &faults), RuntimeError);
  EXPECT_EQ(readFile(file), "[S]\r\nk=old\r\n");
  EXPECT_EQ(filesIn(folder), 1);

  {
    StagedFile staged = document.stage(file);
    EXPECT_TRUE(std::filesystem::exists(staged.temporaryPath()));
  }  // never committed
  EXPECT_EQ(readFile(file), "[S]\r\nk=old\r\n");
  EXPECT_EQ(filesIn(folder), 1);

  document.save(file);
  EXPECT_EQ(readFile(file), document.text());
  EXPECT_EQ(filesIn(folder), 1);
}

TEST(PrivateProfile, ReadGivesTheDefaultForWhatIsMissing) {
  const auto file = Sandbox::root() / "p.ini";
  writeFile(file, "[S]\nk=value\nempty=\n");
  std::string value;
  EXPECT_EQ(GetPrivateProfileString("s", "K", "", value, 255, file), 5u);
  EXPECT_EQ(value, "value");
  EXPECT_EQ(GetPrivateProfileString("S", "empty", "dflt", value, 255, file), 0u);
  EXPECT_EQ(GetPrivateProfileString("S", "none", "dflt", value, 255, file), 4u);
  EXPECT_EQ(value, "dflt");
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", value, 3, file), 2u);
  EXPECT_EQ(value, "va");
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", value, 255, Sandbox::root() / "no.ini"), 0u);
}

TEST(PrivateProfile, WriteCreatesTheFileReplacesKeysAndReportsFailure) {
  const auto file = Sandbox::root() / "p.ini";
  EXPECT_EQ(WritePrivateProfileString("When", "AlwaysAt", "07:30", file), 1);
  EXPECT_EQ(WritePrivateProfileString("Log", "Save", "True", file), 1);
  EXPECT_EQ(WritePrivateProfileString("when", "alwaysat", "08:00", file), 1);
  EXPECT_EQ(readFile(file), "[When]\r\nalwaysat=08:00\r\n[Log]\r\nSave=True\r\n");

  EXPECT_EQ(WritePrivateProfileString("S", "k", "v", Sandbox::root() / "no" / "p.ini"), 0);
  EXPECT_EQ(WritePrivateProfileString("S", "k", "a\nb", file), 0);
  Faults faults;
  faults.inject("stageFile", Err::DiskFull);
  EXPECT_EQ(WritePrivateProfileString("S", "k", "v", file, &faults), 0);
  EXPECT_EQ(readFile(file), "[When]\r\nalwaysat=08:00\r\n[Log]\r\nSave=True\r\n");
}

}  // namespace
}  // namespace ferrowick::runtime
