#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "SettingsFixture.h"
#include "engine/ScheduleCheck.h"

namespace ferrowick::engine::testing {
namespace {

using runtime::MsgButtons::OkOnly;
using Strings = std::vector<std::string>;
using Option = runtime::MemoryOptionButton MemoryMainWindow::*;

// The always-at rule chosen for 14:30, the clock at 14:30 and the last run at 09:15.
class CheckSchedule : public EngineTest {
 protected:
  CheckSchedule() {
    window.form_.setCaption("Ferrowick");
    window.optAlways_.setValue(true);
    state.AlwaysAtTime = TimeOfDay::of(14, 30);
    state.LastRunTime = TimeOfDay::of(9, 15);
    at(14, 30);
  }
  void at(int h, int m, int s = 0) { host.clock.time = {2026, 12, 7, h, m, s}; }
  void refresh() {
    calls.push_back("refresh");
    if (refreshFails != 0) runtime::raise(refreshFails);
  }
  void run() {
    calls.push_back("run, caption " + window.form_.caption() + ", repaints " +
                    std::to_string(window.form_.refreshCount));
    host.clock.time.minute += runMinutes;
  }

  Strings calls;
  int runMinutes = 0, refreshFails = 0;
  ScheduleCheck schedule{ctx, [this] { refresh(); }, [this] { run(); }};
};

TEST_F(CheckSchedule, ARuleRunsInItsMinuteOnlyWhileChosenAndSet) {
  const auto t = TimeOfDay::of;
  // The rule chosen, its time (at, or interval), the last run, the clock; whether it runs.
  const std::tuple<Option, TimeOfDay, TimeOfDay, std::array<int, 3>, bool> cases[] = {
      {&MemoryMainWindow::optAlways_, t(14, 30), t(9, 15), {14, 31, 0}, false},
      {&MemoryMainWindow::Option3_, t(14, 30), t(0, 0), {14, 30, 0}, false},
      {&MemoryMainWindow::optAlways_, t(0, 0), t(0, 0), {0, 0, 0}, false},   // 00:00 is unset
      {&MemoryMainWindow::optEach_, t(1, 0), t(23, 30), {0, 30, 5}, true}};  // wraps
  int index = 0;
  for (const auto& [rule, time, last, clock, due] : cases) {
    SCOPED_TRACE(index++);
    calls.clear();
    (window.*rule).setValue(true);
    state.AlwaysAtTime = state.EachInterval = time;
    state.LastRunTime = last;
    at(clock[0], clock[1], clock[2]);
    schedule.CheckSchedule();
    EXPECT_EQ(calls.size(), due ? 2u : 0u);
    EXPECT_EQ(state.LastRunTime, due ? t(clock[0], clock[1]) : last);
  }
}

TEST_F(CheckSchedule, ARunShowsItsCaptionAndCountsTheNextFromItsEnd) {
  window.optEach_.setValue(true);
  state.EachInterval = TimeOfDay::of(2, 0);
  runMinutes = 2;
  at(11, 15, 30);
  schedule.CheckSchedule();
  at(13, 15);  // two hours from the start, not from the end
  schedule.CheckSchedule();
  EXPECT_EQ(calls, (Strings{"refresh", "run, caption text 180, repaints 1"}));
  EXPECT_EQ(window.form_.caption(), "Ferrowick");
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(11, 17));
}

TEST_F(CheckSchedule, EveryCheckInTheMinuteRunsOrWaitsForTheRunUnderWayUnlessItFails) {
  schedule.CheckSchedule();
  schedule.CheckSchedule();
  EXPECT_EQ(calls.size(), 4u);  // no memory of a run already made in this minute
  // Due twice while a run is under way: one run once it has ended, none when the rule was
  // unchosen meanwhile.
  for (const bool unchosen : {false, true}) {
    calls.clear();
    state.RunInProgress = true;
    schedule.CheckSchedule();
    schedule.CheckSchedule();
    schedule.StartDeferredRun();
    EXPECT_TRUE(calls.empty());
    state.RunInProgress = false;
    if (unchosen) window.Option3_.setValue(true);
    schedule.StartDeferredRun();
    schedule.StartDeferredRun();
    EXPECT_EQ(calls.size(), unchosen ? 0u : 2u);
  }
  window.optAlways_.setValue(true);
  state.LastRunTime = TimeOfDay::of(9, 15);
  // A failed refresh comes before the caption and the run.
  refreshFails = runtime::Err::PathNotFound;
  schedule.CheckSchedule();
  EXPECT_EQ(host.messages.all(), Strings{shownBox(OkOnly, "76\nPath not found")});
  EXPECT_EQ(window.form_.caption(), "Ferrowick");
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(9, 15));
}

}  // namespace
}  // namespace ferrowick::engine::testing
