#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using Strings = std::vector<std::string>;

class SettingsLoad : public EngineTest {
 protected:
  void load() { SettingsFile(ctx).LoadSettings(); }
};

TEST_F(SettingsLoad, FirstStartKeepsTheWindowAsItsLoadLeftIt) {
  host.clock.time = {2026, 3, 2, 8, 5, 42};
  load();

  EXPECT_TRUE(state.NoSettingsFile);
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(iniPath()));
  EXPECT_FALSE(std::filesystem::exists(bakPath()));
  EXPECT_EQ(window.MaskEdBox1_.text(), "__:__");
  EXPECT_EQ(window.chkLog_.value(), Checked);
  EXPECT_TRUE(window.Option3_.value());
  EXPECT_TRUE(window.optDaily_.value());
  EXPECT_EQ(window.txtSelected2_.text(), "/");
  EXPECT_EQ(window.lstSource_.count(), 0u);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(8, 5));  // seconds dropped
}

TEST_F(SettingsLoad, MissingFileComesBackFromThePreviousVersion) {
  const std::string previous = "[When]\r\nAlwaysAt=07:30\r\n[Entries]\r\n0=/data/*.*\r\n";
  writeBak(previous);
  load();

  EXPECT_FALSE(state.NoSettingsFile);
  EXPECT_EQ(ini(), previous);
  EXPECT_EQ(bak(), previous);
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(7, 30));
  EXPECT_EQ(listItems(), Strings{"/data/*.*"});
}

TEST_F(SettingsLoad, PresentFileIsReadAndThePreviousVersionLeftAlone) {
  writeIni("[Backup]\r\nIncremental=True\r\n");
  writeBak("[Entries]\r\n0=/old/*.*\r\n");
  load();

  EXPECT_EQ(window.chkIncr_.value(), Checked);
  EXPECT_EQ(window.lstSource_.count(), 0u);
  EXPECT_EQ(bak(), "[Entries]\r\n0=/old/*.*\r\n");
  EXPECT_FALSE(state.NoSettingsFile);
}

TEST_F(SettingsLoad, TimesAreSetInTheFieldsAndReadBack) {
  state.AlwaysAtTime = TimeOfDay::of(5, 0);
  writeIni("[When]\nAlwaysAt=???\nEach=02:15\n");
  load();

  EXPECT_EQ(window.MaskEdBox1_.text(), "__:__");
  EXPECT_FALSE(state.AlwaysAtTime.isSet());
  EXPECT_EQ(window.MaskEdBox2_.text(), "02:15");
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 15));
  EXPECT_TRUE(host.messages.shown.empty());
}

TEST_F(SettingsLoad, ATimeThatIsNoTimeOfDayIsReportedAndTheLoadGoesOn) {
  state.AlwaysAtTime = TimeOfDay::of(6, 45);
  state.EachInterval = TimeOfDay::of(1, 0);
  writeIni("[When]\r\nAlwaysAt=25:00\r\nEach=7:30\r\n[Backup]\r\nIncremental=True\r\n");
  load();

  // 25:00 fits the field's mask but is no time; 7:30 does not even fit the mask.
  EXPECT_EQ(messageTexts(), (Strings{"13\n\nType mismatch", "380\n\nInvalid property value"}));
  for (const auto& shown : host.messages.shown) {
    EXPECT_EQ(shown.style, runtime::MsgStyle::Critical);
    EXPECT_EQ(shown.caption, "Ferrowick");
  }
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(6, 45));
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(1, 0));
  EXPECT_EQ(window.chkIncr_.value(), Checked);
}

struct DaysCase {
  const char* stored;
  std::vector<int> ticked;
  const char* message;
  friend void PrintTo(const DaysCase& days, std::ostream* out) { *out << "Days=" << days.stored; }
};

class SettingsLoadDays : public SettingsLoad, public ::testing::WithParamInterface<DaysCase> {};

TEST_P(SettingsLoadDays, MaskTicksTheWeekdaysOfItsBits) {
  wireWeekdayBoxes();
  writeIni(std::string("[When]\r\nDays=") + GetParam().stored + "\r\n");
  load();

  EXPECT_EQ(tickedDays(), GetParam().ticked);
  EXPECT_EQ(window.optDaily_.value(), GetParam().ticked.empty());
  if (GetParam().message[0] == '\0') {
    EXPECT_TRUE(host.messages.shown.empty());
  } else {
    EXPECT_EQ(messageTexts(), Strings{GetParam().message});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsLoadDays,
    ::testing::Values(DaysCase{"0", {}, ""}, DaysCase{"10", {2, 4}, ""},
                      DaysCase{"127", {1, 2, 3, 4, 5, 6, 7}, ""}, DaysCase{"65", {1, 7}, ""},
                      DaysCase{"200", {}, ""}, DaysCase{"255", {}, ""},
                      DaysCase{"abc", {}, "13\n\nType mismatch"},
                      DaysCase{"300", {}, "6\n\nOverflow"}));

TEST_F(SettingsLoad, BooleanWordsMatchExactly) {
  writeIni(
      "[Log]\r\nSave=false\r\n[Backup]\r\nIncremental=true\r\n"
      "[Destination]\r\nCustom=TRUE\r\nDatedDirectories=1\r\n[Options]\r\nLoadWin=yes\r\n");
  load();
  EXPECT_EQ(window.chkLog_.value(), Checked);
  EXPECT_EQ(window.chkIncr_.value(), Unchecked);
  EXPECT_EQ(window.chkCustom_.value(), Unchecked);
  EXPECT_EQ(window.chkDated_.value(), Unchecked);
  EXPECT_EQ(window.chkServ_.value(), Unchecked);

  writeIni("[Log]\r\nSave=False\r\n[Backup]\r\nIncremental=True\r\n");
  MemoryMainWindow fresh;
  EngineContext freshCtx{app, host.host, fs, lang, fresh, state};
  SettingsFile(freshCtx).LoadSettings();
  EXPECT_EQ(fresh.chkLog_.value(), Unchecked);
  EXPECT_EQ(fresh.chkIncr_.value(), Checked);
}

TEST_F(SettingsLoad, StoredRuleIsChosenAgain) {
  writeIni("[When]\r\nDefault=False\r\n");
  load();
  EXPECT_TRUE(window.optAlways_.value());
  EXPECT_FALSE(window.Option3_.value());

  MemoryMainWindow each;
  EngineContext eachCtx{app, host.host, fs, lang, each, state};
  writeIni("[When]\r\nDefault=True\r\n");
  SettingsFile(eachCtx).LoadSettings();
  EXPECT_TRUE(each.optEach_.value());

  for (const char* file : {"[When]\r\nDefault=true\r\n", "[When]\r\nAlwaysAt=07:00\r\n"}) {
    MemoryMainWindow neither;
    EngineContext neitherCtx{app, host.host, fs, lang, neither, state};
    writeIni(file);
    SettingsFile(neitherCtx).LoadSettings();
    EXPECT_TRUE(neither.Option3_.value()) << file;
  }
}

TEST_F(SettingsLoad, EntriesStopAtTheFirstGap) {
  writeIni("[Entries]\r\n1=/b/*.*\r\n0=/a/*.*\r\n3=/d/x.txt\r\n");
  load();
  EXPECT_EQ(listItems(), (Strings{"/a/*.*", "/b/*.*"}));

  MemoryMainWindow second;
  EngineContext secondCtx{app, host.host, fs, lang, second, state};
  writeIni("[Entries]\r\n0=\r\n1=/b/*.*\r\n");
  SettingsFile(secondCtx).LoadSettings();
  EXPECT_EQ(second.lstSource_.count(), 0u);
}

TEST_F(SettingsLoad, EntriesAreAddedUncheckedAndTheRunListIsEmptied) {
  state.SourceFiles = {{"/x/a", 3}, {"/x/b", 4}, {}};
  writeIni("[Entries]\r\n0=/same/*.*\r\n1=/same/*.*\r\n2=/does/not/exist.txt\r\n");
  load();
  EXPECT_EQ(listItems(), (Strings{"/does/not/exist.txt", "/same/*.*", "/same/*.*"}));
  ASSERT_EQ(state.SourceFiles.size(), 1u);
  EXPECT_TRUE(state.SourceFiles[0].Path.empty());
}

TEST_F(SettingsLoad, LongValuesComeBackWhole) {
  const std::string deep = "/" + std::string(300, 'd') + "/*.*";
  writeIni("[Entries]\r\n0=" + deep + "\r\n");
  load();
  EXPECT_EQ(listItems(), Strings{deep});
}

TEST_F(SettingsLoad, DestinationValuesArriveInTheirOrderAsEdits) {
  std::vector<std::string> events;
  window.txtSelected2_.onChange = [&] { events.push_back("base " + window.txtSelected2_.text()); };
  window.chkCustom_.onClick = [&] { events.push_back("custom"); };
  window.txtCusDir_.onChange = [&] { events.push_back("name " + window.txtCusDir_.text()); };
  window.optAnd_.onClick = [&] { events.push_back("and"); };
  window.optOr_.onClick = [&] { events.push_back("or"); };
  window.chkDated_.onClick = [&] { events.push_back("dated"); };
  window.cmbSep_.onChange = [&] { events.push_back("sep " + window.cmbSep_.text()); };
  window.chkServ_.onClick = [&] { events.push_back("loadwin"); };
  // Saved order, which differs from the load's.
  writeIni(
      "[Destination]\r\nCustom=True\r\nCustomName=Home\r\nAnd=True\r\nOr=True\r\n"
      "DateSeperator=-\r\nDatedDirectories=True\r\nBaseDir=/media/usb/\r\n"
      "[Options]\r\nLoadWin=True\r\n");
  load();
  EXPECT_EQ(events, (Strings{"base /media/usb/", "custom", "name Home", "and", "or", "dated",
                             "sep -", "loadwin"}));
  EXPECT_TRUE(window.optOr_.value());
  EXPECT_FALSE(window.optAnd_.value());
}

TEST_F(SettingsLoad, BaseFolderFailureSkipsToTheEntries) {
  const std::string file =
      "[Destination]\r\nBaseDir=/media/gone/\r\nCustom=True\r\nCustomName=x\r\n"
      "[Options]\r\nLoadWin=True\r\n[Entries]\r\n0=/a/*.*\r\n";
  for (const int number : {runtime::Err::DeviceUnavailable, runtime::Err::PathNotFound,
                           runtime::Err::PermissionDenied}) {
    MemoryMainWindow view;
    ferrowick::testing::ScriptedHost quiet;
    EngineContext local{app, quiet.host, fs, lang, view, state};
    view.txtSelected2_.onChange = [number] { runtime::raise(number); };
    writeIni(file);
    SettingsFile(local).LoadSettings();

    EXPECT_EQ(view.chkCustom_.value(), Unchecked) << number;
    EXPECT_EQ(view.txtCusDir_.text(), "") << number;
    EXPECT_EQ(view.chkServ_.value(), Unchecked) << number;
    EXPECT_EQ(view.lstSource_.count(), 1u) << number;
    if (number == runtime::Err::PermissionDenied) {
      ASSERT_EQ(quiet.messages.shown.size(), 1u);
      EXPECT_EQ(quiet.messages.shown[0].text, "70\nPermission denied");
      EXPECT_EQ(quiet.messages.shown[0].style, runtime::MsgStyle::OkOnly);
      EXPECT_EQ(quiet.messages.shown[0].caption, "Ferrowick");
    } else {
      EXPECT_TRUE(quiet.messages.shown.empty()) << number;
    }
  }
}

TEST_F(SettingsLoad, FailuresOfTheFileAreReportedAndTheLoadFinishes) {
  writeBak("[Backup]\r\nIncremental=True\r\n");
  fs.faults().inject("copy", runtime::Err::DiskFull);
  host.clock.time.hour = 22;
  load();
  EXPECT_EQ(messageTexts(), Strings{"61\n\nDisk full"});
  EXPECT_FALSE(state.NoSettingsFile);
  EXPECT_EQ(window.chkIncr_.value(), Unchecked);  // nothing to read
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(22, 15));

  host.messages.shown.clear();
  writeIni("[Backup]\r\nIncremental=True\r\n");
  fs.faults().inject("readProfile", runtime::Err::DeviceIOError);
  load();
  EXPECT_EQ(messageTexts(), Strings{"57\n\nDevice I/O error"});
  EXPECT_EQ(window.chkIncr_.value(), Unchecked);
}

}  // namespace
}  // namespace ferrowick::engine::testing
