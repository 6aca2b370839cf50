#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "SettingsFixture.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using runtime::MsgStyle::Critical;
using Strings = std::vector<std::string>;

constexpr const char* kCurrent = "[Entries]\r\n0=/current/*.*\r\n";

class SettingsSave : public EngineTest {
 protected:
  void save() { SettingsFile(ctx).SaveSettings(); }
  void setItems(const Strings& items) {
    window.lstSource_.clear();
    for (const auto& item : items) window.lstSource_.addItem(item);
  }
  // The file up to its second section.
  std::string when() const { return ini().substr(0, ini().find("[Log]")); }
  std::set<std::string> filesLeft() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder())) {
      names.insert(entry.path().filename());
    }
    return names;
  }
};

TEST_F(SettingsSave, WritesEveryKeyInItsOrder) {
  window.optEach_.setValue(true);
  window.txtSelected2_.setText("/media/usb");
  window.cmbSep_.setText("None");
  window.chkDays(3).setValue(Checked);  // every day is chosen: the boxes do not count
  setItems({"/home/ann/Docs/*.*", "/home/ann/notes.txt"});
  save();
  EXPECT_EQ(ini(),
            "[When]\r\nAlwaysAt=???\r\nEach=???\r\nDefault=True\r\nDays=0\r\n"
            "[Log]\r\nSave=True\r\n"
            "[Backup]\r\nIncremental=False\r\n"
            "[Destination]\r\nCustom=False\r\nAnd=False\r\nOr=False\r\nDateSeperator=None\r\n"
            "DatedDirectories=False\r\nBaseDir=/media/usb/\r\n"
            "[Options]\r\nLoadWin=False\r\n"
            "[Entries]\r\n0=/home/ann/Docs/*.*\r\n1=/home/ann/notes.txt\r\n");
  EXPECT_EQ(filesLeft(), std::set<std::string>{"dravonk.ini"});
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
}

TEST_F(SettingsSave, TimesAndWeekdaysGoToTheFileAndTheEngine) {
  wireWeekdayBoxes();
  window.optAlways_.setValue(true);
  window.MaskEdBox1_.setText("07:30");
  window.MaskEdBox2_.setText("02:00");
  window.chkDays(2).setValue(Checked);
  window.chkDays(4).setValue(runtime::CheckState::Grayed);  // any state but unticked
  save();
  EXPECT_EQ(when(), "[When]\r\nAlwaysAt=07:30\r\nEach=02:00\r\nDefault=False\r\nDays=10\r\n");
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(7, 30));
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 0));

  // Every day not chosen and no box ticked is stored as every day; an empty separator
  // leaves no key.
  for (int day = 1; day <= 7; ++day) window.chkDays(day).setValue(Unchecked);
  ASSERT_FALSE(window.optDaily_.value());
  window.MaskEdBox1_.setText("__:__");
  window.cmbSep_.setText("");
  save();
  EXPECT_EQ(when(), "[When]\r\nAlwaysAt=???\r\nEach=02:00\r\nDefault=False\r\nDays=0\r\n");
  EXPECT_EQ(ini().find("DateSeperator"), std::string::npos);
  EXPECT_FALSE(state.AlwaysAtTime.isSet());

  // A field that holds no time of day ends the save after its own key.
  const std::string before = ini();
  window.MaskEdBox1_.setText("08:00");
  window.MaskEdBox2_.setText("1_:__");
  save();
  EXPECT_EQ(boxesShown(host.messages), Strings{shownBox(Critical, "13\nType mismatch")});
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(8, 0));
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 0));
  EXPECT_EQ(ini(), before);
  EXPECT_FALSE(host.pointer.busy());
}

TEST_F(SettingsSave, EachSaveKeepsTheFileBeforeItAsThePreviousVersion) {
  setItems({"/1/*.*", "/2/*.*", "/3/*.*", "/4/*.*", "/5/*.*"});
  save();
  const std::string first = ini();
  setItems({"/1/*.*", "/2/*.*", "/3/*.*"});
  save();
  EXPECT_EQ(bak(), first);
  EXPECT_TRUE(ini().ends_with("\r\n2=/3/*.*\r\n"));  // nothing of the longer list lingers

  const std::string second = ini();
  window.chkIncr_.setValue(Checked);
  save();
  EXPECT_EQ(bak(), second);
  EXPECT_EQ(filesLeft(), (std::set<std::string>{"dravonk.bak", "dravonk.ini"}));
  EXPECT_TRUE(host.messages.shown.empty());
}

TEST_F(SettingsSave, AFailedSaveNamesTheFirstEntryItCouldNotStoreAndKeepsTheOldSettings) {
  using namespace runtime::Err;
  const struct {
    const char* fault;
    int error;
    Strings items;
    const char* shown;
    const char* left;  // the old settings, where a load finds them
  } cases[] = {
      {"stageFile", DiskFull, {"/new/a/*.*", "/new/b/*.*"}, "text 201\ntext 202 /new/a/*.*",
       "dravonk.ini"},
      {"commitFile", PermissionDenied, {"/new/*.*"}, "text 201\ntext 202 /new/*.*", "dravonk.bak"},
      {"", 0, {"/a/*.*", "/b/line\nbreak.txt", "/c/*.*"}, "text 201\ntext 202 /b/line\nbreak.txt",
       "dravonk.ini"},
      {"stageFile", DiskFull, {}, "61\nDisk full", "dravonk.ini"}};  // no entry to name
  for (const auto& failure : cases) {
    SCOPED_TRACE(failure.shown);
    std::filesystem::remove_all(folder());
    writeIni(kCurrent);
    host.messages.shown.clear();
    host.pointer.changes.clear();
    setItems(failure.items);
    if (*failure.fault) fs.faults().inject(failure.fault, failure.error);
    save();
    EXPECT_EQ(boxesShown(host.messages), Strings{shownBox(Critical, failure.shown)});
    EXPECT_EQ(filesLeft(), std::set<std::string>{failure.left});
    EXPECT_EQ(ferrowick::testing::readFile(folder() / failure.left), kCurrent);
    EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
  }
}

}  // namespace
}  // namespace ferrowick::engine::testing
