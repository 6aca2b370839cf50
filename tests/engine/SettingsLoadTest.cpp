#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using runtime::MsgStyle::Critical;
using Strings = std::vector<std::string>;

class SettingsLoad : public EngineTest {
 protected:
  void load(MemoryMainWindow& view) {
    EngineContext local{app, host.host, fs, lang, view, state};
    SettingsFile(local).LoadSettings();
  }
  void loadInto(MemoryMainWindow& view, const std::string& file) {
    writeIni(file);
    load(view);
  }
  // The check boxes the file sets: log, incremental, custom, dated, load with the desktop.
  static std::string ticks(MemoryMainWindow& view) {
    std::string all;
    for (auto* box : {&view.chkLog_, &view.chkIncr_, &view.chkCustom_, &view.chkDated_,
                      &view.chkServ_}) {
      all += std::to_string(box->value());
    }
    return all;
  }
};

TEST_F(SettingsLoad, FirstStartKeepsTheWindowAsItsLoadLeftIt) {
  host.clock.time = {2026, 3, 2, 8, 5, 42};
  load(window);
  EXPECT_TRUE(state.NoSettingsFile);
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(iniPath()) || std::filesystem::exists(bakPath()));
  EXPECT_EQ(window.MaskEdBox1_.text(), "__:__");
  EXPECT_TRUE(window.Option3_.value());
  EXPECT_EQ(window.lstSource_.count(), 0u);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(8, 5));  // seconds dropped
}

TEST_F(SettingsLoad, MissingFileComesBackFromThePreviousVersion) {
  const std::string previous = "[When]\r\nAlwaysAt=07:30\r\n[Entries]\r\n0=/data/*.*\r\n";
  writeBak(previous);
  // A restore that fails is reported; the load finishes with nothing to read.
  fs.faults().inject("copy", runtime::Err::DiskFull);
  host.clock.time.hour = 22;
  load(window);
  EXPECT_EQ(boxes(host.messages), Strings{box(Critical, "61\n\nDisk full")});
  EXPECT_FALSE(state.NoSettingsFile);
  EXPECT_EQ(window.lstSource_.count(), 0u);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(22, 15));

  MemoryMainWindow next;
  load(next);
  EXPECT_EQ(ini(), previous);
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(7, 30));
  EXPECT_EQ(next.lstSource_.item(0), "/data/*.*");

  // A present file is read and the previous version left alone.
  MemoryMainWindow third;
  loadInto(third, "[Backup]\r\nIncremental=True\r\n");
  EXPECT_EQ(third.chkIncr_.value(), Checked);
  EXPECT_EQ(third.lstSource_.count(), 0u);
  EXPECT_EQ(bak(), previous);
}

TEST_F(SettingsLoad, TimesAreSetInTheFieldsAndReadBackAndBadOnesReported) {
  state.AlwaysAtTime = TimeOfDay::of(5, 0);
  loadInto(window, "[When]\nAlwaysAt=???\nEach=02:15\n");
  EXPECT_EQ(window.MaskEdBox1_.text(), "__:__");
  EXPECT_FALSE(state.AlwaysAtTime.isSet());
  EXPECT_EQ(window.MaskEdBox2_.text(), "02:15");
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 15));

  // 25:00 fits the field's mask but is no time; 7:30 does not even fit the mask.
  state.AlwaysAtTime = TimeOfDay::of(6, 45);
  MemoryMainWindow next;
  loadInto(next, "[When]\r\nAlwaysAt=25:00\r\nEach=7:30\r\n[Backup]\r\nIncremental=True\r\n");
  EXPECT_EQ(boxes(host.messages), (Strings{box(Critical, "13\n\nType mismatch"),
                                           box(Critical, "380\n\nInvalid property value")}));
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(6, 45));
  EXPECT_EQ(state.EachInterval, TimeOfDay::of(2, 15));
  EXPECT_EQ(next.chkIncr_.value(), Checked);  // the load went on
}

TEST_F(SettingsLoad, DaysMaskTicksTheWeekdaysOfItsBits) {
  // Stored mask, days ticked, message shown.
  const char* const cases[][3] = {{"0", "", ""},     {"10", "24", ""}, {"127", "1234567", ""},
                                  {"65", "17", ""},  {"200", "", ""},  {"255", "", ""},
                                  {"abc", "", "13\n\nType mismatch"}, {"300", "", "6\n\nOverflow"}};
  for (const auto& [stored, ticked, message] : cases) {
    SCOPED_TRACE(stored);
    MemoryMainWindow view;
    for (auto& day : view.chkDays_) day.onClick = [&view] { view.optDaily_.setValue(false); };
    host.messages.shown.clear();
    loadInto(view, std::string("[When]\r\nDays=") + stored + "\r\n");
    std::string days;
    for (int day = 1; day <= 7; ++day) {
      days += view.chkDays(day).value() == Checked ? std::to_string(day) : "";
    }
    EXPECT_EQ(days, ticked);
    EXPECT_EQ(view.optDaily_.value(), days.empty());
    EXPECT_EQ(messageTexts(), *message ? Strings{message} : Strings{});
  }
}

TEST_F(SettingsLoad, BooleanWordsMatchExactly) {
  loadInto(window,
           "[Log]\r\nSave=false\r\n[Backup]\r\nIncremental=true\r\n"
           "[Destination]\r\nCustom=TRUE\r\nDatedDirectories=1\r\n[Options]\r\nLoadWin=yes\r\n");
  EXPECT_EQ(ticks(window), "10000");
  MemoryMainWindow exact;
  loadInto(exact,
           "[Log]\r\nSave=False\r\n[Backup]\r\nIncremental=True\r\n[Destination]\r\n"
           "Custom=True\r\nDatedDirectories=True\r\n[Options]\r\nLoadWin=True\r\n");
  EXPECT_EQ(ticks(exact), "01111");
}

TEST_F(SettingsLoad, StoredRuleIsChosenAgain) {
  using W = MemoryMainWindow;
  const std::pair<const char*, runtime::MemoryOptionButton W::*> cases[] = {
      {"Default=False", &W::optAlways_}, {"Default=True", &W::optEach_},
      {"Default=true", &W::Option3_}, {"AlwaysAt=07:00", &W::Option3_}};
  for (const auto& [stored, chosen] : cases) {
    MemoryMainWindow view;
    loadInto(view, std::string("[When]\r\n") + stored + "\r\n");
    EXPECT_TRUE((view.*chosen).value()) << stored;
  }
}

TEST_F(SettingsLoad, EntriesAreReadInKeyOrderUpToTheFirstGapAsTheyStand) {
  const std::string deep = "/" + std::string(300, 'd') + "/*.*";
  const std::pair<std::string, Strings> cases[] = {
      {"1=/b/*.*\r\n0=/a/*.*\r\n3=/d/x.txt\r\n", {"/a/*.*", "/b/*.*"}},
      {"0=\r\n1=/b/*.*\r\n", {}},
      {"0=" + deep + "\r\n", {deep}},
      {"0=/same/*.*\r\n1=/same/*.*\r\n2=/not/there.txt\r\n",
       {"/not/there.txt", "/same/*.*", "/same/*.*"}}};
  for (const auto& [entries, items] : cases) {
    SCOPED_TRACE(entries.substr(0, 30));
    state.SourceFiles = {{"/x/a", 3}, {"/x/b", 4}, {}};
    window.lstSource_.clear();
    loadInto(window, "[Entries]\r\n" + entries);
    EXPECT_EQ(listItems(), items);
    ASSERT_EQ(state.SourceFiles.size(), 1u);  // the run list is emptied
    EXPECT_TRUE(state.SourceFiles[0].Path.empty());
  }
}

TEST_F(SettingsLoad, DestinationValuesArriveInTheirOrderAsEdits) {
  Strings events;
  const auto note = [&](std::string name) { return [&events, name] { events.push_back(name); }; };
  window.txtSelected2_.onChange = [&] { events.push_back("base " + window.txtSelected2_.text()); };
  window.chkCustom_.onClick = note("custom");
  window.txtCusDir_.onChange = [&] { events.push_back("name " + window.txtCusDir_.text()); };
  window.optAnd_.onClick = note("and");
  window.optOr_.onClick = note("or");
  window.chkDated_.onClick = note("dated");
  window.cmbSep_.onChange = [&] { events.push_back("sep " + window.cmbSep_.text()); };
  window.chkServ_.onClick = note("loadwin");
  // Saved order, which differs from the load's.
  loadInto(window,
           "[Destination]\r\nCustom=True\r\nCustomName=Home\r\nAnd=True\r\nOr=True\r\n"
           "DateSeperator=-\r\nDatedDirectories=True\r\nBaseDir=/media/usb/\r\n"
           "[Options]\r\nLoadWin=True\r\n");
  EXPECT_EQ(events, (Strings{"base /media/usb/", "custom", "name Home", "and", "or", "dated",
                             "sep -", "loadwin"}));
  EXPECT_TRUE(window.optOr_.value() && !window.optAnd_.value());
}

TEST_F(SettingsLoad, BaseFolderFailureSkipsToTheEntries) {
  using namespace runtime::Err;
  for (const int number : {DeviceUnavailable, PathNotFound, PermissionDenied}) {
    SCOPED_TRACE(number);
    MemoryMainWindow view;
    host.messages.shown.clear();
    view.txtSelected2_.onChange = [number] { runtime::raise(number); };
    loadInto(view,
             "[Destination]\r\nBaseDir=/media/gone/\r\nCustom=True\r\nCustomName=x\r\n"
             "[Options]\r\nLoadWin=True\r\n[Entries]\r\n0=/a/*.*\r\n");
    EXPECT_EQ(ticks(view), "10000");
    EXPECT_EQ(view.txtCusDir_.text(), "");
    EXPECT_EQ(view.lstSource_.count(), 1u);
    // A missing device or path is no news at start-up; anything else is.
    EXPECT_EQ(boxes(host.messages),
              number == PermissionDenied
                  ? Strings{box(runtime::MsgStyle::OkOnly, "70\nPermission denied")}
                  : Strings{});
  }
}

TEST_F(SettingsLoad, AnUnreadableFileIsReportedAndTheLoadFinishes) {
  fs.faults().inject("readProfile", runtime::Err::DeviceIOError);
  loadInto(window, "[Backup]\r\nIncremental=True\r\n");
  EXPECT_EQ(messageTexts(), Strings{"57\n\nDevice I/O error"});
  EXPECT_EQ(window.chkIncr_.value(), Unchecked);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(9, 15));
}

}  // namespace
}  // namespace ferrowick::engine::testing
