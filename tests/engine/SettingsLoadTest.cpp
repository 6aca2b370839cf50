#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "SettingsFixture.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using Strings = std::vector<std::string>;

// Every setting a load can change, by name, as the window and the engine hold it.
std::vector<std::pair<std::string, std::string>> settingsOf(MemoryMainWindow& view,
                                                              const EngineState& times) {
  const auto time = [](TimeOfDay at) { return " " + std::to_string(at.minutes); };
  const auto on = [](bool value) { return std::to_string(value); };
  const std::string rule =
      on(view.Option3_.value()) + on(view.optAlways_.value()) + on(view.optEach_.value());
  std::string days;
  for (int day = 1; day <= 7; ++day) days += view.chkDays(day).value() == Checked ? "1" : "0";
  std::string items;
  for (std::size_t i = 0; i < view.lstSource_.count(); ++i) items += view.lstSource_.item(i) + ";";
  return {{"at", view.MaskEdBox1_.text() + time(times.AlwaysAtTime)},
          {"each", view.MaskEdBox2_.text() + time(times.EachInterval)},
          {"rule", rule}, {"daily", on(view.optDaily_.value())}, {"days", days},
          {"log", on(view.chkLog_.value())}, {"incr", on(view.chkIncr_.value())},
          {"custom", on(view.chkCustom_.value())}, {"name", view.txtCusDir_.text()},
          {"andOr", on(view.optAnd_.value()) + on(view.optOr_.value())},
          {"dated", on(view.chkDated_.value())}, {"sep", view.cmbSep_.text()},
          {"base", view.txtSelected2_.text()}, {"loadwin", on(view.chkServ_.value())},
          {"items", items}};
}

class SettingsLoad : public EngineTest {
 protected:
  void load(MemoryMainWindow& view) {
    EngineContext local{app, host.host, fs, lang, view, state};
    SettingsFile(local).LoadSettings();
  }
  // Loads `file` into a fresh window and tells what changed there and in the engine's
  // times, then the messages shown, as "name=value" pairs.
  std::string changes(const std::string& file,
                      const std::function<void(MemoryMainWindow&)>& wire = {}) {
    MemoryMainWindow view;
    for (auto& day : view.chkDays_) day.onClick = [&view] { view.optDaily_.setValue(false); };
    if (wire) wire(view);
    const auto before = settingsOf(view, state);
    host.messages.shown.clear();
    writeIni(file);
    load(view);
    const auto after = settingsOf(view, state);
    std::string changed;
    for (std::size_t i = 0; i < after.size(); ++i) {
      if (after[i] != before[i]) changed += after[i].first + "=" + after[i].second + " ";
    }
    for (const auto& shown : host.messages.shown) {
      changed += "shown=" + std::to_string(shown.style) + ":" + shown.text + " ";
    }
    return changed;
  }
};

TEST_F(SettingsLoad, EachValueReachesItsControlAsWritten) {
  const std::string deep = "/" + std::string(300, 'd') + "/*.*";
  const std::pair<std::string, std::string> cases[] = {
      {"[When]\r\nAlwaysAt=07:30\r\nEach=02:15\r\n", "at=07:30 450 each=02:15 135 "},
      {"[When]\r\nAlwaysAt=???\r\n", "at=__:__ 0 "},
      // 25:00 fits the field's mask but is no time; 7:30 does not even fit the mask.
      {"[When]\r\nAlwaysAt=25:00\r\nEach=7:30\r\n[Backup]\r\nIncremental=True\r\n",
       "at=25:00 300 incr=1 shown=16:13\n\nType mismatch shown=16:380\n\nInvalid property value "},
      // A saved schedule goes on: the stored rule is chosen again.
      {"[When]\r\nDefault=False\r\n", "rule=010 "},
      {"[When]\r\nDefault=True\r\n", "rule=001 "},
      {"[When]\r\nDefault=true\r\n", ""},
      // A weekday is ticked when the mask holds its bit; from 128 up nothing is.
      {"[When]\r\nDays=10\r\n", "daily=0 days=0101000 "},
      {"[When]\r\nDays=65\r\n", "daily=0 days=1000001 "},
      {"[When]\r\nDays=127\r\n", "daily=0 days=1111111 "},
      {"[When]\r\nDays=200\r\n", ""},
      {"[When]\r\nDays=abc\r\n", "shown=16:13\n\nType mismatch "},
      {"[When]\r\nDays=300\r\n", "shown=16:6\n\nOverflow "},
      // The words match exactly.
      {"[Log]\r\nSave=false\r\n[Backup]\r\nIncremental=true\r\n[Destination]\r\nCustom=TRUE\r\n"
       "DatedDirectories=1\r\n[Options]\r\nLoadWin=yes\r\n",
       ""},
      {"[Log]\r\nSave=False\r\n[Destination]\r\nCustom=True\r\nCustomName=Home\r\nAnd=True\r\n"
       "Or=True\r\nDateSeperator=Space\r\nDatedDirectories=True\r\nBaseDir=/media/usb/\r\n"
       "[Options]\r\nLoadWin=True\r\n",
       "log=0 custom=1 name=Home andOr=01 dated=1 sep=Space base=/media/usb/ loadwin=1 "},
      // Entries in key order up to the first gap, each as it stands: neither checked
      // against each other nor against the disk.
      {"[Entries]\r\n1=/b/*.*\r\n0=/a/*.*\r\n3=/d/x.txt\r\n", "items=/a/*.*;/b/*.*; "},
      {"[Entries]\r\n0=\r\n1=/b/*.*\r\n", ""},
      {"[Entries]\r\n0=" + deep + "\r\n", "items=" + deep + "; "},
      {"[Entries]\r\n0=/same/*.*\r\n1=/same/*.*\r\n2=/not/there.txt\r\n",
       "items=/not/there.txt;/same/*.*;/same/*.*; "}};
  for (const auto& [file, changed] : cases) {
    SCOPED_TRACE(file.substr(0, 40));
    state.AlwaysAtTime = TimeOfDay::of(5, 0);
    state.EachInterval = TimeOfDay::of(1, 0);
    state.SourceFiles = {{"/x/a", 3}, {"/x/b", 4}, {}};
    EXPECT_EQ(changes(file), changed);
    ASSERT_EQ(state.SourceFiles.size(), 1u);  // the run list is emptied
    EXPECT_TRUE(state.SourceFiles[0].Path.empty());
  }
}

TEST_F(SettingsLoad, FirstStartKeepsTheWindowAsItsLoadLeftIt) {
  host.clock.time = {2026, 3, 2, 8, 5, 42};
  load(window);
  MemoryMainWindow design;
  EXPECT_EQ(settingsOf(window, state), settingsOf(design, EngineState{}));
  EXPECT_TRUE(state.NoSettingsFile);
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(iniPath()) || std::filesystem::exists(bakPath()));
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(8, 5));  // seconds dropped
}

TEST_F(SettingsLoad, MissingFileComesBackFromThePreviousVersion) {
  const std::string previous = "[When]\r\nAlwaysAt=07:30\r\n[Entries]\r\n0=/data/*.*\r\n";
  writeBak(previous);
  // A restore that fails is reported; the load finishes with nothing to read.
  fs.faults().inject("copy", runtime::Err::DiskFull);
  host.clock.time.hour = 22;
  load(window);
  EXPECT_EQ(boxesShown(host.messages),
            Strings{shownBox(runtime::MsgStyle::Critical, "61\n\nDisk full")});
  EXPECT_FALSE(state.NoSettingsFile);
  EXPECT_EQ(window.lstSource_.count(), 0u);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(22, 15));

  MemoryMainWindow next;
  load(next);
  EXPECT_EQ(ini(), previous);
  EXPECT_EQ(state.AlwaysAtTime, TimeOfDay::of(7, 30));
  EXPECT_EQ(next.lstSource_.item(0), "/data/*.*");
  // A present file is read and the previous version left alone.
  EXPECT_EQ(changes("[Backup]\r\nIncremental=True\r\n"), "incr=1 ");
  EXPECT_EQ(bak(), previous);
}

TEST_F(SettingsLoad, AnUnreadableFileIsReportedAndTheLoadFinishes) {
  fs.faults().inject("readProfile", runtime::Err::DeviceIOError);
  host.clock.time.hour = 22;
  EXPECT_EQ(changes("[Backup]\r\nIncremental=True\r\n"), "shown=16:57\n\nDevice I/O error ");
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(22, 15));
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
  writeIni(
      "[Destination]\r\nCustom=True\r\nCustomName=Home\r\nAnd=True\r\nOr=True\r\n"
      "DateSeperator=-\r\nDatedDirectories=True\r\nBaseDir=/media/usb/\r\n"
      "[Options]\r\nLoadWin=True\r\n");
  load(window);
  EXPECT_EQ(events, (Strings{"base /media/usb/", "custom", "name Home", "and", "or", "dated",
                             "sep -", "loadwin"}));
}

TEST_F(SettingsLoad, BaseFolderFailureSkipsToTheEntries) {
  using namespace runtime::Err;
  for (const int number : {DeviceUnavailable, PathNotFound, PermissionDenied}) {
    const auto failingBase = [number](MemoryMainWindow& view) {
      view.txtSelected2_.onChange = [number] { runtime::raise(number); };
    };
    // A missing device or path is no news at start-up; anything else is.
    EXPECT_EQ(changes("[Destination]\r\nBaseDir=/media/gone/\r\nCustom=True\r\nCustomName=x\r\n"
                      "[Options]\r\nLoadWin=True\r\n[Entries]\r\n0=/a/*.*\r\n",
                      failingBase),
              std::string("base=/media/gone/ items=/a/*.*; ") +
                  (number == PermissionDenied ? "shown=0:70\nPermission denied " : ""));
  }
}

}  // namespace
}  // namespace ferrowick::engine::testing
