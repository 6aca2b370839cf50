#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "SettingsFixture.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::MsgIcon::Critical;
using Strings = std::vector<std::string>;

constexpr const char* kCurrent = "[Entries]\r\n0=/current/*.*\r\n";
constexpr const char* kOlder = "[Entries]\r\n0=/older/*.*\r\n";
constexpr const char* kIniBelowData = "/Halvorne/Ferrowick/dravonk.ini";

class SettingsSave : public EngineTest {
 protected:
  void save() { SettingsFile(ctx).SaveSettings(); }
  long filesLeft() const {
    return std::ranges::distance(std::filesystem::directory_iterator(folder()));
  }
};

TEST_F(SettingsSave, WritesEveryKeyInItsOrderAndKeepsTheFileBeforeAsThePreviousVersion) {
  state.AlwaysAtTime = TimeOfDay::of(7, 30);  // an empty field unsets it
  window.optEach_.setValue(true);
  window.txtSelected2_.setText("/media/usb");
  window.cmbSep_.setText("None");
  window.chkDays(3).setValue(Checked);  // every day is chosen: the boxes do not count
  for (const char* item : {"/docs/*.*", "/notes.txt"}) window.lstSource_.addItem(item);
  save();
  EXPECT_EQ(ini(),
            "[When]\r\nAlwaysAt=???\r\nEach=???\r\nDefault=True\r\nDays=0\r\n[Log]\r\nSave=True\r\n"
            "[Backup]\r\nIncremental=False\r\n[Destination]\r\nCustom=False\r\nAnd=False\r\n"
            "Or=False\r\nDateSeperator=None\r\nDatedDirectories=False\r\nBaseDir=/media/usb/\r\n"
            "[Options]\r\nLoadWin=False\r\n[Entries]\r\n0=/docs/*.*\r\n1=/notes.txt\r\n");
  EXPECT_FALSE(state.AlwaysAtTime.isSet());

  // Weekday boxes in any state but unticked count once every day is not chosen (a box's
  // change clears the every-day choice).
  const std::string first = ini();
  for (auto& box : window.chkDays_) box.onClick = [this] { window.optDaily_.setValue(false); };
  window.optAlways_.setValue(true);
  window.MaskEdBox1_.setText("07:30");
  window.MaskEdBox2_.setText("02:00");
  window.chkDays(4).setValue(runtime::CheckState::Grayed);
  window.cmbSep_.setText("");
  save();
  EXPECT_EQ(bak(), first);
  EXPECT_EQ(ini().substr(0, ini().find("[Log]")),
            "[When]\r\nAlwaysAt=07:30\r\nEach=02:00\r\nDefault=False\r\nDays=12\r\n");
  EXPECT_EQ(ini().find("DateSeperator"), std::string::npos);  // an empty separator has no key
  EXPECT_EQ(filesLeft(), 2);                                  // nothing staged stays behind
  const std::string second = ini();

  // A field that holds no time of day ends the save after its own key, and the file stays.
  window.MaskEdBox1_.setText("08:00");
  window.MaskEdBox2_.setText("1_:__");
  save();
  EXPECT_EQ(host.messages.all(), Strings{shownBox(Critical, "13\nType mismatch")});
  EXPECT_EQ(ini(), second);
}

TEST_F(SettingsSave, AFailedSaveNamesTheFileOrTheEntryItConcernsAndKeepsTheOldSettings) {
  const auto blocked = ferrowick::testing::Sandbox::root() / "a-file";
  ferrowick::testing::writeFile(blocked, "");
  const std::string data = std::getenv("XDG_DATA_HOME");
  ferrowick::testing::writeFile(data + "/other/Halvorne", "");
  // Where the application-data folder is, whether a folder stands at the settings file's
  // path, the list; the box shown.
  const std::tuple<std::string, bool, Strings, std::string> cases[] = {
      {data, false, {"/a/*.*", "/b\nc", "/c/*.*"}, "text 201\ntext 202 /b\nc"},
      {data, true, {"/a/*.*"}, "75\nPath/File access error\n\n" + data + kIniBelowData},
      {(blocked / "data").string(),
       false,
       {"/a/*.*"},
       "76\nPath not found\n\n" + (blocked / "data").string() + kIniBelowData},
      {data + "/other",
       false,
       {"/a/*.*"},  // the program's own folder cannot be made
       "76\nPath not found\n\n" + data + "/other" + kIniBelowData}};
  for (const auto& [dataHome, iniIsFolder, items, shown] : cases) {
    SCOPED_TRACE(shown);
    ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    host.messages.shown.clear();
    window.lstSource_.clear();
    for (const auto& item : items) window.lstSource_.addItem(item);
    if (iniIsFolder) std::filesystem::create_directories(iniPath());
    save();
    EXPECT_EQ(host.messages.all(), Strings{shownBox(Critical, shown)});
    if (iniIsFolder) std::filesystem::remove(iniPath());
  }
  ::setenv("XDG_DATA_HOME", data.c_str(), 1);
  writeIni(kCurrent);
  ferrowick::testing::writeFile(bakPath(), kOlder);
  window.lstSource_.addItem("/b\nc");
  save();
  EXPECT_EQ(filesLeft(), 2);
  EXPECT_EQ(ini() + bak(), std::string(kCurrent) + kOlder);
}

// A missing settings file (the list was cleared) or one that holds no settings is no
// previous version: the one there stays.
TEST_F(SettingsSave, AMissingOrDamagedFileNeverTakesThePreviousVersionsPlace) {
  const std::optional<std::string> before[] = {std::nullopt, "", "\x01\xff garbage\r\nx=1\r\n",
                                               utf16(kCurrent)};
  window.lstSource_.addItem("/new/*.*");
  for (const auto& current : before) {
    SCOPED_TRACE(current ? std::to_string(current->size()) : "missing");
    std::filesystem::remove(iniPath());
    if (current) writeIni(*current);
    ferrowick::testing::writeFile(bakPath(), kOlder);
    save();
    EXPECT_EQ(bak(), kOlder);
    EXPECT_NE(ini().find("[Entries]\r\n0=/new/*.*\r\n"), std::string::npos);
  }
  EXPECT_TRUE(host.messages.shown.empty());
}

// Whatever step of the save fails, or is the last before the program is killed, the
// settings file holds the old settings or the new ones, whole, and the previous version
// what came before them.
TEST_F(SettingsSave, ThePreviousVersionIsInPlaceBeforeTheNewFileReplacesTheOld) {
  using runtime::FaultPoint;
  constexpr const char* kNew = "/new/*.*";
  const std::string old = std::string(kCurrent) + "|" + kOlder;
  const std::string kept = std::string(kCurrent) + "|" + kCurrent;
  // The step, its fault point and file; the files it leaves when it fails or is the last.
  const std::tuple<const char*, FaultPoint, const char*, std::string> steps[] = {
      {"reading the old file", FaultPoint::ReadProfile, "dravonk.ini", old},
      {"writing the new file", FaultPoint::StageFile, "dravonk.ini", old},
      {"writing the previous version", FaultPoint::StageFile, "dravonk.bak", old},
      {"naming the previous version", FaultPoint::CommitFile, "dravonk.bak", old},
      {"naming the new file", FaultPoint::CommitFile, "dravonk.ini", kept}};
  window.lstSource_.addItem(kNew);
  const auto files = [this] { return ini() + "|" + bak(); };
  for (const auto& [step, point, file, left] : steps) {
    for (const bool killed : {true, false}) {
      SCOPED_TRACE(std::string(killed ? "killed " : "failed ") + step);
      writeIni(kCurrent);
      ferrowick::testing::writeFile(bakPath(), kOlder);
      host.messages.shown.clear();
      std::string atKill;
      if (killed)
        fs.faults().interfere(
            point, [&] { atKill = files(); }, file);
      else
        fs.faults().inject(point, runtime::Err::DeviceIOError, file);
      save();
      if (killed) {
        EXPECT_EQ(atKill, left);
        EXPECT_EQ(bak(), kCurrent);  // and a save that goes on completes
        EXPECT_NE(ini().find(kNew), std::string::npos);
      } else {
        EXPECT_EQ(files(), left);
        EXPECT_EQ(host.messages.all(), Strings{shownBox(Critical, "57\nDevice I/O error\n\n" +
                                                                      (folder() / file).string())});
        EXPECT_EQ(filesLeft(), 2);
      }
    }
  }
}

TEST_F(SettingsSave, RemovesTheTemporaryFilesOfAKilledSave) {
  writeIni(kCurrent);
  const auto stale = folder() / ".dravonk.ini.Ab12Cd";
  ferrowick::testing::writeFile(stale, "partial");
  window.lstSource_.addItem("/a/*.*");
  save();
  EXPECT_FALSE(std::filesystem::exists(stale));
}

TEST_F(SettingsSave, AValueTheFileCannotHoldFailsTheSaveAndKeepsTheOldSettings) {
  writeIni(kCurrent);
  window.lstSource_.addItem("/a/*.*");
  window.txtCusDir_.setText(std::string("Ho\0me", 5));
  save();
  EXPECT_EQ(host.messages.all(),
            Strings{shownBox(Critical, "5\nInvalid procedure call or argument")});
  EXPECT_EQ(ini(), kCurrent);
}

}  // namespace
}  // namespace ferrowick::engine::testing
