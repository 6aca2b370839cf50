#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "runtime/RuntimeError.h"
#include "runtime/profile/ProfileDocument.h"

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
  const std::string* stored(const char* section, const char* key) {
    document = runtime::ProfileDocument::parse(ini());
    return document.find(section, key);
  }
  std::set<std::string> filesLeft() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder())) {
      names.insert(entry.path().filename());
    }
    return names;
  }
  runtime::ProfileDocument document;
};

// Every setting the file stores, as the window and the engine hold it.
Strings settingsOf(MemoryMainWindow& view, const EngineState& times) {
  Strings all{view.MaskEdBox1_.text(), view.MaskEdBox2_.text(), view.txtCusDir_.text(),
              view.cmbSep_.text(), view.txtSelected2_.text(),
              std::to_string(times.AlwaysAtTime.minutes),
              std::to_string(times.EachInterval.minutes)};
  for (auto* option : {&view.optAlways_, &view.optEach_, &view.optDaily_, &view.optOr_}) {
    all.push_back(option->value() ? "selected" : "clear");
  }
  for (auto* box : {&view.chkLog_, &view.chkIncr_, &view.chkCustom_, &view.chkDated_,
                    &view.chkServ_}) {
    all.push_back(std::to_string(box->value()));
  }
  for (const auto& day : view.chkDays_) all.push_back(std::to_string(day.value()));
  for (std::size_t i = 0; i < view.lstSource_.count(); ++i) all.push_back(view.lstSource_.item(i));
  return all;
}

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
  EXPECT_EQ(filesLeft(), std::set<std::string>{"dravonk.ini"});
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
  save();
  EXPECT_EQ(*stored("When", "AlwaysAt") + *stored("When", "Each"), "07:3002:00");
  EXPECT_EQ(*stored("When", "Default"), "False");
  EXPECT_EQ(*stored("When", "Days"), "10");
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(7, 30));
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 0));

  // Every day not chosen and no box ticked is stored as every day; an empty separator
  // leaves no key.
  for (int day = 1; day <= 7; ++day) window.chkDays(day).setValue(Unchecked);
  ASSERT_FALSE(window.optDaily_.value());
  window.MaskEdBox1_.setText("__:__");
  window.cmbSep_.setText("");
  save();
  EXPECT_EQ(*stored("When", "Days"), "0");
  EXPECT_EQ(*stored("When", "AlwaysAt"), "???");
  EXPECT_EQ(stored("Destination", "DateSeperator"), nullptr);
  EXPECT_FALSE(state.AlwaysAtTime.isSet());
}

TEST_F(SettingsSave, EachSaveKeepsTheFileBeforeItAsThePreviousVersion) {
  setItems({"/1/*.*", "/2/*.*", "/3/*.*", "/4/*.*", "/5/*.*"});
  save();
  const std::string first = ini();
  setItems({"/1/*.*", "/2/*.*", "/3/*.*"});
  save();
  EXPECT_EQ(bak(), first);
  EXPECT_NE(stored("Entries", "2"), nullptr);
  EXPECT_EQ(stored("Entries", "3"), nullptr);  // nothing of the longer list lingers

  const std::string second = ini();
  window.chkIncr_.setValue(Checked);
  save();
  EXPECT_EQ(bak(), second);
  EXPECT_EQ(filesLeft(), (std::set<std::string>{"dravonk.bak", "dravonk.ini"}));
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
  for (auto* box : {&window.chkIncr_, &window.chkCustom_, &window.chkDated_, &window.chkServ_}) {
    box->setValue(Checked);
  }
  window.txtCusDir_.setText(" Backup \"A\" ");
  window.optOr_.setValue(true);
  window.cmbSep_.setText("Space");
  window.txtSelected2_.setText("/media/usb/");
  setItems({"/home/ann/Docs/*.*", "/home/ann/notes ", "/home/ann/żółw.txt"});
  save();
  const Strings saved = settingsOf(window, state);

  MemoryMainWindow next;
  EngineState nextState;
  for (auto& box : next.chkDays_) box.onClick = [&next] { next.optDaily_.setValue(false); };
  EngineContext nextCtx{app, host.host, fs, lang, next, nextState};
  SettingsFile(nextCtx).LoadSettings();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(settingsOf(next, nextState), saved);
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
    EXPECT_EQ(boxes(host.messages), Strings{box(Critical, failure.shown)});
    EXPECT_EQ(filesLeft(), std::set<std::string>{failure.left});
    EXPECT_EQ(ferrowick::testing::readFile(folder() / failure.left), kCurrent);
    EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
  }
}

TEST_F(SettingsSave, ATimeFieldWithoutATimeEndsTheSave) {
  writeIni(kCurrent);
  state.AlwaysAtTime = TimeOfDay::of(1, 0);
  state.EachInterval = TimeOfDay::of(2, 0);
  window.MaskEdBox1_.setText("08:00");
  window.MaskEdBox2_.setText("1_:__");
  setItems({"/a/*.*"});
  save();
  EXPECT_EQ(boxes(host.messages), Strings{box(Critical, "13\nType mismatch")});
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(8, 0));  // its key came first
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 0));
  EXPECT_EQ(ini(), kCurrent);
  EXPECT_EQ(host.pointer.changes, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace ferrowick::engine::testing
