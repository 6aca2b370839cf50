#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "runtime/RuntimeError.h"
#include "runtime/profile/ProfileDocument.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using Strings = std::vector<std::string>;

class SettingsSave : public EngineTest {
 protected:
  void save() { SettingsFile(ctx).SaveSettings(); }
  void setItems(const Strings& items) {
    window.lstSource_.clear();
    for (const auto& item : items) window.lstSource_.addItem(item);
  }
  int filesInFolder() const {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder())) {
      ++count;
    }
    return count;
  }
};

TEST_F(SettingsSave, WritesEveryKeyInItsOrder) {
  window.optEach_.setValue(true);
  window.txtSelected2_.setText("/media/usb");
  window.cmbSep_.setText("None");
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
  EXPECT_FALSE(std::filesystem::exists(bakPath()));
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
}

TEST_F(SettingsSave, TimesAndWeekdaysAndTheEngineTimes) {
  wireWeekdayBoxes();
  window.optAlways_.setValue(true);
  window.MaskEdBox1_.setText("07:30");
  window.MaskEdBox2_.setText("02:00");
  window.chkDays(2).setValue(Checked);
  window.chkDays(4).setValue(runtime::CheckState::Grayed);  // any state but unticked
  setItems({"/a/*.*"});
  save();

  const auto document = runtime::ProfileDocument::parse(ini());
  EXPECT_EQ(*document.find("When", "AlwaysAt"), "07:30");
  EXPECT_EQ(*document.find("When", "Each"), "02:00");
  EXPECT_EQ(*document.find("When", "Default"), "False");
  EXPECT_EQ(*document.find("When", "Days"), "10");
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(7, 30));
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 0));

  // Every day not chosen and no box ticked is stored as every day.
  for (int day = 1; day <= 7; ++day) window.chkDays(day).setValue(Unchecked);
  ASSERT_FALSE(window.optDaily_.value());
  window.MaskEdBox1_.setText("__:__");
  save();
  const auto second = runtime::ProfileDocument::parse(ini());
  EXPECT_EQ(*second.find("When", "Days"), "0");
  EXPECT_EQ(*second.find("When", "AlwaysAt"), "???");
  EXPECT_FALSE(state.AlwaysAtTime.isSet());
}

TEST_F(SettingsSave, EmptyNameAndSeparatorLeaveNoKey) {
  setItems({"/a/*.*"});
  window.txtCusDir_.setText("");
  window.cmbSep_.setText("");
  save();
  const auto document = runtime::ProfileDocument::parse(ini());
  EXPECT_EQ(document.find("Destination", "CustomName"), nullptr);
  EXPECT_EQ(document.find("Destination", "DateSeperator"), nullptr);
  EXPECT_EQ(*document.find("Destination", "BaseDir"), "/");
}

TEST_F(SettingsSave, EachSaveKeepsTheFileBeforeItAsThePreviousVersion) {
  setItems({"/1/*.*", "/2/*.*", "/3/*.*", "/4/*.*", "/5/*.*"});
  save();
  const std::string first = ini();

  setItems({"/1/*.*", "/2/*.*", "/3/*.*"});
  save();
  EXPECT_EQ(bak(), first);
  const auto current = runtime::ProfileDocument::parse(ini());
  EXPECT_NE(current.find("Entries", "2"), nullptr);
  EXPECT_EQ(current.find("Entries", "3"), nullptr);
  EXPECT_NE(runtime::ProfileDocument::parse(bak()).find("Entries", "4"), nullptr);

  const std::string secondFile = ini();
  window.chkIncr_.setValue(Checked);
  save();
  EXPECT_EQ(bak(), secondFile);
  EXPECT_EQ(filesInFolder(), 2);
  EXPECT_TRUE(host.messages.shown.empty());
}

TEST_F(SettingsSave, EverythingStoredComesBackAtTheNextStart) {
  wireWeekdayBoxes();
  window.optEach_.setValue(true);
  window.MaskEdBox1_.setText("23:59");
  window.MaskEdBox2_.setText("01:30");
  window.chkDays(1).setValue(Checked);
  window.chkDays(7).setValue(Checked);
  window.chkLog_.setValue(Unchecked);
  window.chkIncr_.setValue(Checked);
  window.chkCustom_.setValue(Checked);
  window.txtCusDir_.setText(" Backup \"A\" ");
  window.optOr_.setValue(true);
  window.chkDated_.setValue(Checked);
  window.cmbSep_.setText("Space");
  window.txtSelected2_.setText("/media/usb/");
  window.chkServ_.setValue(Checked);
  const Strings items = {"/home/ann/Docs/*.*", "/home/ann/notes ", "/home/ann/żółw.txt"};
  setItems(items);
  save();
  ASSERT_TRUE(host.messages.shown.empty());

  MemoryMainWindow next;
  EngineState nextState;
  for (auto& box : next.chkDays_) box.onClick = [&next] { next.optDaily_.setValue(false); };
  EngineContext nextCtx{app, host.host, fs, lang, next, nextState};
  SettingsFile(nextCtx).LoadSettings();

  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_TRUE(next.optEach_.value());
  EXPECT_EQ(next.MaskEdBox1_.text(), "23:59");
  EXPECT_EQ(next.MaskEdBox2_.text(), "01:30");
  EXPECT_EQ(nextState.AlwaysAtTime, TimeOfDay::of(23, 59));
  EXPECT_EQ(nextState.EachInterval, TimeOfDay::of(1, 30));
  EXPECT_FALSE(next.optDaily_.value());
  for (int day = 1; day <= 7; ++day) {
    EXPECT_EQ(next.chkDays(day).value(), day == 1 || day == 7 ? Checked : Unchecked) << day;
  }
  EXPECT_EQ(next.chkLog_.value(), Unchecked);
  EXPECT_EQ(next.chkIncr_.value(), Checked);
  EXPECT_EQ(next.chkCustom_.value(), Checked);
  EXPECT_EQ(next.txtCusDir_.text(), " Backup \"A\" ");
  EXPECT_TRUE(next.optOr_.value());
  EXPECT_FALSE(next.optAnd_.value());
  EXPECT_EQ(next.chkDated_.value(), Checked);
  EXPECT_EQ(next.cmbSep_.text(), "Space");
  EXPECT_EQ(next.txtSelected2_.text(), "/media/usb/");
  EXPECT_EQ(next.chkServ_.value(), Checked);
  Strings loaded;
  for (std::size_t i = 0; i < next.lstSource_.count(); ++i) loaded.push_back(next.lstSource_.item(i));
  EXPECT_EQ(loaded, items);
}

TEST_F(SettingsSave, AFailedWriteKeepsBothFilesAsTheyWere) {
  writeIni("[Entries]\r\n0=/current/*.*\r\n");
  writeBak("[Entries]\r\n0=/previous/*.*\r\n");
  setItems({"/new/a/*.*", "/new/b/*.*"});
  fs.faults().inject("stageFile", runtime::Err::DiskFull);
  save();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "text 201\ntext 202 /new/a/*.*");
  EXPECT_EQ(host.messages.shown[0].style, runtime::MsgStyle::Critical);
  EXPECT_EQ(host.messages.shown[0].caption, "Ferrowick");
  EXPECT_EQ(ini(), "[Entries]\r\n0=/current/*.*\r\n");
  EXPECT_EQ(bak(), "[Entries]\r\n0=/previous/*.*\r\n");
  EXPECT_EQ(filesInFolder(), 2);
  EXPECT_FALSE(host.pointer.busy());
}

TEST_F(SettingsSave, AFailedReplaceLeavesTheOldSettingsToBeRestored) {
  writeIni("[Entries]\r\n0=/current/*.*\r\n");
  setItems({"/new/*.*"});
  fs.faults().inject("commitFile", runtime::Err::PermissionDenied);
  save();
  EXPECT_EQ(messageTexts(), Strings{"text 201\ntext 202 /new/*.*"});
  EXPECT_EQ(filesInFolder(), 1);

  host.messages.shown.clear();
  window.lstSource_.clear();
  SettingsFile(ctx).LoadSettings();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(listItems(), Strings{"/current/*.*"});
}

TEST_F(SettingsSave, AnEntryTheFileCannotHoldEndsTheSaveNamingIt) {
  writeIni("[Entries]\r\n0=/current/*.*\r\n");
  setItems({"/a/*.*", "/b/line\nbreak.txt", "/c/*.*"});
  save();
  EXPECT_EQ(messageTexts(), Strings{"text 201\ntext 202 /b/line\nbreak.txt"});
  EXPECT_EQ(ini(), "[Entries]\r\n0=/current/*.*\r\n");
  EXPECT_FALSE(std::filesystem::exists(bakPath()));
  EXPECT_FALSE(host.pointer.busy());
}

TEST_F(SettingsSave, ATimeFieldWithoutATimeEndsTheSave) {
  writeIni("[Entries]\r\n0=/current/*.*\r\n");
  state.AlwaysAtTime = TimeOfDay::of(1, 0);
  state.EachInterval = TimeOfDay::of(2, 0);
  window.MaskEdBox1_.setText("08:00");
  window.MaskEdBox2_.setText("1_:__");
  setItems({"/a/*.*"});
  save();

  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "13\nType mismatch");
  EXPECT_EQ(host.messages.shown[0].style, runtime::MsgStyle::Critical);
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(8, 0));  // its key came first
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 0));
  EXPECT_EQ(ini(), "[Entries]\r\n0=/current/*.*\r\n");
  EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
}

TEST_F(SettingsSave, AFailureWithoutEntriesShowsTheError) {
  fs.faults().inject("stageFile", runtime::Err::DiskFull);
  save();
  EXPECT_EQ(messageTexts(), Strings{"61\nDisk full"});
  EXPECT_FALSE(std::filesystem::exists(iniPath()));
}

}  // namespace
}  // namespace ferrowick::engine::testing
