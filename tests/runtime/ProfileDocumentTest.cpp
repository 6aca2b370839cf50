#include <gtest/gtest.h>

#include "runtime/Faults.h"
#include "runtime/TestChecks.h"
#include "runtime/profile/PrivateProfile.h"
#include "runtime/profile/ProfileDocument.h"
#include "support/Sandbox.h"

namespace ferrowick::runtime {
namespace {

using testing::Sandbox;

std::string valueOf(const ProfileDocument& document, const char* section, const char* key) {
  const std::string* value = document.find(section, key);
  return value == nullptr ? "<missing>" : *value;
}

TEST(ProfileDocument, ReadsAnyLineEndHandEditedSpacingAndQuotesAndWritesEveryLineBackInCrLf) {
  const auto document = ProfileDocument::parse(
      "; note\r\n[When]\nDefault=True\r  [ Log ]  \r\n  Save =  False \r\nEmpty=\r\n"
      "Name=\"  x  \"\n\nz='q'");
  EXPECT_EQ(valueOf(document, "LOG", "save"), "False");
  EXPECT_EQ(valueOf(document, "Log", "Name"), "  x  ");
  EXPECT_EQ(valueOf(document, "Log", "z"), "q");
  EXPECT_EQ(valueOf(document, "When", "Save"), "<missing>");  // the key is in another section
  EXPECT_EQ(document.text(),
            "; note\r\n[When]\r\nDefault=True\r\n  [ Log ]  \r\n  Save =  False \r\nEmpty=\r\n"
            "Name=\"  x  \"\r\n\r\nz='q'\r\n");
}

TEST(ProfileDocument, WriteReplacesKeysInPlaceRefusesWhatTheFileCannotHoldAndReadsBack) {
  auto document = ProfileDocument::parse("; kept\r\n[When]\r\nAlwaysAt=07:30\r\nnote\r\n");
  EXPECT_EQ(document.write("when", "ALWAYSAT", "08:00"), 1);
  EXPECT_EQ(document.write("Entries", "0", "/data/*.*"), 1);
  const std::string written =
      "; kept\r\n[When]\r\nALWAYSAT=08:00\r\nnote\r\n[Entries]\r\n0=/data/*.*\r\n";
  EXPECT_EQ(document.text(), written);
  // A line break in a value would otherwise let it write keys of its own.
  EXPECT_EQ(document.write("Entries", "1", "/x\r\n[Options]\r\nLoadWin=True"), 0);
  EXPECT_EQ(document.write("Entries", "1", std::string("nul\0", 4)), 0);
  for (const auto& [section, key] : {std::pair{"S", "a=b"}, {"S", ""}, {"S", " k"}, {"S]", "k"}})
    EXPECT_EQ(document.write(section, key, "v"), 0) << section << key;
  EXPECT_EQ(document.text(), written);

  const std::string values[] = {"  leading", "\"quoted\"", "'single'", "\"half", "[not a key]"};
  for (std::size_t key = 0; key < std::size(values); ++key)
    ASSERT_EQ(document.write("S", std::to_string(key), values[key]), 1) << values[key];
  const auto reread = ProfileDocument::parse(document.text());
  for (std::size_t key = 0; key < std::size(values); ++key)
    EXPECT_EQ(valueOf(reread, "S", std::to_string(key).c_str()), values[key]);
}

TEST(PrivateProfile, ReadCutsWithoutSplittingACharacterAndFailedWriteLeavesTheFileAlone) {
  const auto file = Sandbox::root() / "p.ini";
  const std::string text = std::string(253, 'b') + "\xC3\xA9" + "c";  // "é" is two bytes
  ASSERT_EQ(WritePrivateProfileString("S", "k", text, file), 1);
  const std::string written = "[S]\r\nk=" + text + "\r\n";
  EXPECT_EQ(testing::readFile(file), written);
  std::string value;
  EXPECT_EQ(GetPrivateProfileString("s", "K", "", value, 255, file), 253u);
  EXPECT_EQ(value, text.substr(0, 253));
  EXPECT_EQ(GetPrivateProfileString("S", "k", "", value, 257, file), 256u);
  EXPECT_EQ(value, text);
  EXPECT_EQ(GetPrivateProfileString("S", "none", "dflt", value, 3, file), 2u);
  EXPECT_EQ(value, "df");

  Faults faults;
  faults.inject(FaultPoint::StageFile, Err::DiskFull);
  EXPECT_EQ(WritePrivateProfileString("S", "k", "v", file, &faults), 0);
  EXPECT_EQ(testing::readFile(file), written);
  std::filesystem::create_directories(Sandbox::root() / "folder.ini");
  EXPECT_EQ(testing::raisedError([] { ProfileDocument::load(Sandbox::root() / "folder.ini"); }),
            Err::PathFileAccessError);
}

}  // namespace
}  // namespace ferrowick::runtime
