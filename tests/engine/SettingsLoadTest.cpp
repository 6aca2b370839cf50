#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "SettingsFixture.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::CheckState::Checked;
using Strings = std::vector<std::string>;

const std::string kDestination =  // in the saved order, which differs from the load's
    "[Destination]\r\nCustom=True\r\nCustomName=Home\r\nAnd=True\r\nOr=True\r\n"
    "DateSeperator=-\r\nDatedDirectories=True\r\nBaseDir=/media/usb/\r\n"
    "[Options]\r\nLoadWin=True\r\n";

// Every setting a load can change, as the window and the engine hold it, and its name.
const Strings kNames{"at",   "each",  "rule",  "daily", "days", "log",     "incr", "custom",
                     "name", "andOr", "dated", "sep",   "base", "loadwin", "items"};
Strings settingsOf(MemoryMainWindow& view, const EngineState& times) {
  const auto on = [](bool value) { return std::to_string(value); };
  const auto ticked = [&](const runtime::CheckBox& box) {
    return on(box.value() != runtime::CheckState::Unchecked);
  };
  std::string days, items;
  for (int day = 1; day <= 7; ++day) days += on(view.chkDays(day).value() == Checked);
  for (std::size_t i = 0; i < view.lstSource_.count(); ++i) items += view.lstSource_.item(i) + ";";
  return Strings(
      {view.MaskEdBox1_.text() + " " + std::to_string(times.AlwaysAtTime.minutes),
       view.MaskEdBox2_.text() + " " + std::to_string(times.EachInterval.minutes),
       on(view.Option3_.value()) + on(view.optAlways_.value()) + on(view.optEach_.value()),
       on(view.optDaily_.value()), days, ticked(view.chkLog_), ticked(view.chkIncr_),
       ticked(view.chkCustom_), view.txtCusDir_.text(),
       on(view.optAnd_.value()) + on(view.optOr_.value()), ticked(view.chkDated_),
       view.cmbSep_.text(), view.txtSelected2_.text(), ticked(view.chkServ_), items});
}

class SettingsLoad : public EngineTest {
 protected:
  void load(MemoryMainWindow& view) {
    EngineContext local{app, host.host, fs, lang, view, state};
    SettingsFile(local).LoadSettings();
  }
  // Loads `file` into a fresh window whose base folder fails with `baseError` (if not 0);
  // tells what changed there and in the engine's times, then the messages shown.
  std::string changes(const std::string& file, int baseError = 0) {
    writeIni(file);
    return changesOfLoad(baseError);
  }
  std::string changesOfLoad(int baseError = 0) {
    MemoryMainWindow view;
    for (auto& day : view.chkDays_) day.onClick = [&view] { view.optDaily_.setValue(false); };
    if (baseError != 0) view.txtSelected2_.onChange = [baseError] { runtime::raise(baseError); };
    const Strings before = settingsOf(view, state);
    host.messages.shown.clear();
    load(view);
    const Strings after = settingsOf(view, state);
    std::string changed;
    for (std::size_t i = 0; i < after.size(); ++i)
      if (after[i] != before[i]) changed += kNames[i] + "=" + after[i] + " ";
    for (const auto& box : host.messages.shown)
      changed += "shown=" + ferrowick::testing::styleName(box.style) + ":" + box.text + " ";
    return changed;
  }
};

TEST_F(SettingsLoad, EachValueReachesItsControlAsWritten) {
  const std::pair<std::string, std::string> cases[] = {
      // 25:00 fits the field's mask but is no time; 7:30 does not even fit the mask.
      {"[When]\r\nAlwaysAt=25:00\r\nEach=7:30\r\n[Backup]\r\nIncremental=True\r\n",
       "at=25:00 300 incr=1 shown=Critical:13\n\nType mismatch shown=Critical:380\n\nInvalid "
       "property value "},
      {"[When]\r\nAlwaysAt=???\r\nEach=02:15\r\n", "at=__:__ 0 each=02:15 135 "},
      // The stored rule is chosen again; a weekday is ticked when the mask holds its bit.
      {"[When]\r\nDefault=False\r\nDays=10\r\n", "rule=010 daily=0 days=0101000 "},
      {"[When]\r\nDays=300\r\n", "shown=Critical:6\n\nOverflow "},
      // The words match exactly.
      {"[Log]\r\nSave=false\r\n[Backup]\r\nIncremental=true\r\n[Options]\r\nLoadWin=yes\r\n", ""},
      {"[Log]\r\nSave=False\r\n" + kDestination,
       "log=0 custom=1 name=Home andOr=01 dated=1 sep=- base=/media/usb/ loadwin=1 "},
      // Entries up to the first gap, as they stand: not checked against each other or the disk.
      {"[Entries]\r\n1=/same/*.*\r\n0=/same/*.*\r\n2=/" + std::string(300, 'd') + "\r\n4=/d/x\r\n",
       "items=/" + std::string(300, 'd') + ";/same/*.*;/same/*.*; "},
  };
  state.AlwaysAtTime = TimeOfDay::of(5, 0);  // kept by a time that fails, cleared by "???"
  for (const auto& [file, changed] : cases) EXPECT_EQ(changes(file), changed) << file;
  // A failing base folder skips to the entries; a missing path is no news.
  const std::string entries = kDestination + "[Entries]\r\n0=/a/*.*\r\n";
  EXPECT_EQ(changes(entries, runtime::Err::PathNotFound), "base=/media/usb/ items=/a/*.*; ");
  EXPECT_EQ(changes(entries, runtime::Err::PermissionDenied),
            "base=/media/usb/ items=/a/*.*; shown=OkOnly:70\nPermission denied ");
}

TEST_F(SettingsLoad, AMissingFileComesBackFromThePreviousVersion) {
  // At first start there is none: nothing is shown or made.
  host.clock.time = {2026, 3, 2, 8, 5, 42};
  load(window);
  EXPECT_TRUE(state.NoSettingsFile && host.messages.shown.empty());
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(8, 5));  // seconds dropped

  // A restore that fails is reported; the load finishes with nothing to read.
  const std::string previous = "[Entries]\r\n0=/data/*.*\r\n";
  ferrowick::testing::writeFile(bakPath(), previous);
  state.NoSettingsFile = false;
  fs.faults().inject(runtime::FaultPoint::Copy, runtime::Err::DiskFull);
  load(window);
  EXPECT_EQ(host.messages.all(), Strings{shownBox(runtime::MsgIcon::Critical,
                                                  "61\n\nDisk full\n\n" + iniPath().string())});
  load(window);
  EXPECT_EQ(ini() + bak(), previous + previous);  // the previous version stays

  // A file that cannot be read is reported; the previous version is loaded, not restored
  // over a file that may hold settings yet.
  const std::string unread = "[Backup]\r\nIncremental=True\r\n";
  fs.faults().inject(runtime::FaultPoint::ReadProfile, runtime::Err::DeviceIOError, "dravonk.ini");
  EXPECT_EQ(changes(unread), "items=/data/*.*; shown=Critical:57\n\nDevice I/O error\n\n" +
                                 iniPath().string() + " ");
  EXPECT_EQ(ini(), unread);

  // Without an application-data folder there is no settings file either.
  const auto blocked = ferrowick::testing::Sandbox::root() / "a-file";
  ferrowick::testing::writeFile(blocked, "");
  ::setenv("XDG_DATA_HOME", (blocked / "data").c_str(), 1);
  host.messages.shown.clear();
  load(window);
  EXPECT_TRUE(state.NoSettingsFile && host.messages.shown.empty());
}

// Empty, garbage, UTF-16 or a folder: a settings file holding none of the sections a save
// writes holds no settings, and is loaded, and restored, like a missing one.
TEST_F(SettingsLoad, AFileHoldingNoSettingsIsLoadedLikeAMissingOne) {
  const std::string previous = "[Entries]\r\n0=/data/*.*\r\n";
  const std::string folderBox =
      "shown=Critical:75\n\nPath/File access error\n\n" + iniPath().string() + " ";
  // What stands at the settings file's path (nothing: a folder); what the load changes
  // with a previous version and without one.
  const std::tuple<std::optional<std::string>, std::string, std::string> cases[] = {
      {"", "items=/data/*.*; ", ""},
      {"\x01\xfe\r\nnot=settings\r\n; [Entries]\r\n", "items=/data/*.*; ", ""},
      {utf16(previous), "items=/data/*.*; ", ""},
      {std::nullopt, "items=/data/*.*; " + folderBox, folderBox}};
  for (const auto& [current, withPrevious, without] : cases) {
    for (const bool hasPrevious : {true, false}) {
      SCOPED_TRACE(withPrevious + (hasPrevious ? "with" : "without"));
      std::filesystem::remove_all(folder());
      if (current) {
        writeIni(*current);
      } else {
        std::filesystem::create_directories(iniPath());
      }
      if (hasPrevious) ferrowick::testing::writeFile(bakPath(), previous);
      state.NoSettingsFile = false;
      EXPECT_EQ(changesOfLoad(), hasPrevious ? withPrevious : without);
      EXPECT_EQ(state.NoSettingsFile, !hasPrevious);
      if (current) {
        EXPECT_EQ(ini(), hasPrevious ? previous : *current);
      }
    }
  }
}

}  // namespace
}  // namespace ferrowick::engine::testing
