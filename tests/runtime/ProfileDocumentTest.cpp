#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/Faults.h"
#include "runtime/TestChecks.h"
#include "runtime/profile/PrivateProfile.h"
#include "runtime/profile/ProfileDocument.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::entriesIn;
using testing::errorOf;
using testing::readFile;
using testing::Sandbox;
using testing::writeFile;

TEST(ProfileDocument, NamesMatchWithoutCaseAndAnEmptyValueReadsAsAbsentButExists) {
  const auto document =
      ProfileDocument::parse("[When]\r\nDefault=True\r\n[Log]\r\nSave=false\r\nEmpty=\r\n");
  std::string value;
  EXPECT_EQ(document.read("when", "DEFAULT", value), 4u);
  EXPECT_EQ(value, "True");
  EXPECT_EQ(document.read("LOG", "save", value), 5u);
  EXPECT_EQ(value, "false");
  EXPECT_EQ(document.read("When", "Save", value), 0u);  // the key lives in another section
  EXPECT_EQ(value, "");
  value = "stale";
  EXPECT_EQ(document.read("Log", "Empty", value), 0u);
  EXPECT_EQ(value, "");
  ASSERT_NE(document.find("Log", "Empty"), nullptr);
  EXPECT_EQ(document.find("Nowhere", "Default"), nullptr);
}

TEST(ProfileDocument, ReadsAnyLineEndAndHandEditedSpacingAndWritesCrLf) {
  auto document = ProfileDocument::parse("[A]\nx=1\r[B]\r\ny=2\n\nz=3");
  EXPECT_EQ(*document.find("A", "x"), "1");
  EXPECT_EQ(*document.find("B", "z"), "3");
  EXPECT_EQ(document.text(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n\r\nz=3\r\n");
  // Spacing and quotes around names and values are not part of them.
  document = ProfileDocument::parse("  [ Log ]  \r\n  Save =  False \r\nName=\"  x  \"\r\n");
  EXPECT_EQ(*document.find("Log", "Save"), "False");
  EXPECT_EQ(*document.find("Log", "Name"), "  x  ");
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
  EXPECT_EQ(value.substr(253),
            "\xC3\xA9"
            "c");
}

TEST(ProfileDocument, WriteCreatesSectionsReplacesKeysInPlaceAndRefusesWhatTheFileCannotHold) {
  auto document = ProfileDocument::parse("; kept comment\r\n[When]\r\nAlwaysAt=07:30\r\nnote\r\n");
  EXPECT_EQ(document.write("when", "ALWAYSAT", "08:00"), 1);
  EXPECT_EQ(document.write("When", "Each", "???"), 1);
  EXPECT_EQ(document.write("Entries", "0", "/data/*.*"), 1);
  const std::string written =
      "; kept comment\r\n[When]\r\nALWAYSAT=08:00\r\nnote\r\nEach=???\r\n"
      "[Entries]\r\n0=/data/*.*\r\n";
  EXPECT_EQ(document.text(), written);

  EXPECT_EQ(document.write("When", "Each", "two\nlines"), 0);
  EXPECT_EQ(document.write("When", "Each", "carriage\rreturn"), 0);
  EXPECT_EQ(document.write("When", "Each", std::string("nul\0", 4)), 0);
  EXPECT_EQ(document.write("S", "a=b", "v"), 0);
  EXPECT_EQ(document.write("S]", "k", "v"), 0);
  EXPECT_EQ(document.write("S", "", "v"), 0);
  // A line break in a value would otherwise let it write keys of its own.
  EXPECT_EQ(document.write("Entries", "1", "/x\r\n[Options]\r\nLoadWin=True"), 0);
  EXPECT_EQ(document.text(), written);
}

TEST(ProfileDocument, EveryWrittenValueReadsBackTheSame) {
  const std::string values[] = {"plain",    "  leading",    "trailing\t", "\"quoted\"",
                                "'single'", "\"half",       "a = b",      "[not a section]",
                                " ",        "; not a note", "ünïcödé"};
  ProfileDocument document;
  for (std::size_t key = 0; key < std::size(values); ++key) {
    ASSERT_EQ(document.write("S", std::to_string(key), values[key]), 1) << values[key];
  }
  const auto reread = ProfileDocument::parse(document.text());
  for (std::size_t key = 0; key < std::size(values); ++key) {
    const std::string* found = reread.find("S", std::to_string(key));
    ASSERT_NE(found, nullptr) << values[key];
    EXPECT_EQ(*found, values[key]);
  }
  EXPECT_NE(document.text().find("\r\n0=plain\r\n"), std::string::npos);  // plain stays plain
}

TEST(ProfileFile, LoadOfAMissingFileIsEmptyAndUnreadableRaises) {
  const auto folder = Sandbox::root() / "data";
  EXPECT_EQ(ProfileDocument::load(folder / "no" / "such" / "x.ini").text(), "");
  std::filesystem::create_directories(folder / "folder.ini");
  EXPECT_EQ(errorOf([&] { ProfileDocument::load(folder / "folder.ini"); }),
            Err::PathFileAccessError);
  Faults faults;
  faults.inject("readProfile", Err::PermissionDenied);
  writeFile(folder / "a.ini", "[S]\r\nk=v\r\n");
  EXPECT_EQ(errorOf([&] { ProfileDocument::load(folder / "a.ini", &faults); }),
            Err::PermissionDenied);
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
  EXPECT_EQ(errorOf([&] { document.save(file, &faults); }), Err::DiskFull);
  faults.inject("commitFile", Err::PermissionDenied);
  EXPECT_EQ(errorOf([&] { document.save(file, &faults); }), Err::PermissionDenied);
  {
    const StagedFile staged = document.stage(file);
    EXPECT_TRUE(std::filesystem::exists(staged.temporaryPath()));
  }  // never committed
  EXPECT_EQ(readFile(file), "[S]\r\nk=old\r\n");
  EXPECT_EQ(entriesIn(folder), 1);  // no temporary file left behind

  document.save(file);
  EXPECT_EQ(readFile(file), document.text());
  EXPECT_EQ(entriesIn(folder), 1);
}

TEST(PrivateProfile, ReadGivesTheDefaultForWhatIsMissingAndWriteReportsFailure) {
  const auto file = Sandbox::root() / "p.ini";
  EXPECT_EQ(WritePrivateProfileString("Log", "Save", "True", file), 1);
  EXPECT_EQ(WritePrivateProfileString("Log", "Empty", "", file), 1);
  std::string value;
  EXPECT_EQ(GetPrivateProfileString("Log", "Save", "", value, 3, file), 2u);
  EXPECT_EQ(value, "Tr");
  EXPECT_EQ(GetPrivateProfileString("Log", "Empty", "dflt", value, 255, file), 0u);
  EXPECT_EQ(GetPrivateProfileString("Log", "none", "dflt", value, 3, file), 2u);
  EXPECT_EQ(value, "df");
  EXPECT_EQ(GetPrivateProfileString("S", "k", "dflt", value, 255, Sandbox::root() / "no.ini"), 4u);

  const std::string written = readFile(file);
  EXPECT_EQ(WritePrivateProfileString("S", "k", "v", Sandbox::root() / "no" / "p.ini"), 0);
  EXPECT_EQ(WritePrivateProfileString("S", "k", "a\nb", file), 0);
  Faults faults;
  faults.inject("stageFile", Err::DiskFull);
  EXPECT_EQ(WritePrivateProfileString("S", "k", "v", file, &faults), 0);
  EXPECT_EQ(readFile(file), written);
}

}  // namespace
}  // namespace ferrowick::runtime
