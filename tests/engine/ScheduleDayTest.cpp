#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "EngineRig.h"
#include "engine/ScheduleDay.h"

namespace ferrowick::engine::testing {
namespace {

using Strings = std::vector<std::string>;

// 6 December 2026 is a Sunday.
class ScheduleDayTest : public ::testing::Test, public ferrowick::testing::EngineRig {
 protected:
  ScheduleDayTest() { state.AlwaysAtTime = TimeOfDay::of(9, 0); }
  void at(int day, int h, int m, int s = 0) { host.clock.time = {2026, 12, day, h, m, s}; }
  void tick(int day, int h, int m, int s = 0) {
    at(day, h, m, s);
    gate.Tick();
  }
  void check(const TimeOfDay& minute) {
    checks.push_back(std::to_string(minute.hour()) + ":" + std::to_string(minute.minute()));
  }

  Strings checks;
  ScheduleDay gate{ctx, [this](TimeOfDay minute) { check(minute); }, {}};
};

TEST_F(ScheduleDayTest, TheGateChecksOnBackupDaysOnlyWhileATimeIsStored) {
  const auto t = TimeOfDay::of;
  // The always-at time, every day, the ticked boxes, the day of December; checks made.
  const std::tuple<TimeOfDay, bool, std::vector<int>, int, std::size_t> cases[] = {
      {t(0, 0), true, {}, 6, 0},    // unset
      {t(9, 0), true, {}, 9, 1},    // every day, whatever the day
      {t(9, 0), false, {1}, 6, 1},  // Sunday is box 1
      {t(9, 0), false, {2, 3, 4, 5, 6, 7}, 6, 0}};
  for (const auto& [always, daily, ticked, day, count] : cases) {
    SCOPED_TRACE(::testing::PrintToString(ticked) + " on " + std::to_string(day));
    checks.clear();
    state.AlwaysAtTime = always;
    window.optDaily_.setValue(daily);
    for (int box = 1; box <= 7; ++box) window.chkDays(box).setValue(runtime::CheckState::Unchecked);
    for (int box : ticked) window.chkDays(box).setValue(runtime::CheckState::Checked);
    gate.CheckScheduleDay({2026, 12, day, 8, 30, 0});
    EXPECT_EQ(checks.size(), count);
  }
}

TEST_F(ScheduleDayTest, EachMinuteIsSeenOnceWhateverTheTimersRhythm) {
  tick(6, 8, 59, 40);  // the first tick sees its own minute only
  tick(6, 8, 59, 59);  // early or twice in a minute: nothing new
  tick(6, 9, 4, 10);   // a busy event loop: the minutes between are caught up
  EXPECT_EQ(checks, (Strings{"8:59", "9:0", "9:1", "9:2", "9:3", "9:4"}));

  // A clock put back a little waits for new minutes; further back starts afresh.
  checks.clear();
  tick(6, 8, 30);
  tick(6, 9, 5);
  tick(6, 7, 0);
  EXPECT_EQ(checks, (Strings{"9:5", "7:0"}));

  // Across midnight the weekday is the caught-up minute's own: only Monday is ticked.
  window.optDaily_.setValue(false);
  window.chkDays(2).setValue(runtime::CheckState::Checked);
  tick(6, 23, 58);
  checks.clear();
  tick(7, 0, 1);
  EXPECT_EQ(checks, (Strings{"0:0", "0:1"}));
}

TEST_F(ScheduleDayTest, ATickInsideARunDoesNotSeeTheRunsMinuteAgain) {
  window.optDaily_.setValue(true);
  int depth = 0;
  ScheduleDay nested{ctx,
                     [&](TimeOfDay minute) {
                       check(minute);
                       // The run yields; the timer fires in the same and the next minute.
                       if (depth++ == 0) {
                         nested.Tick();
                         at(6, 9, 2);
                         nested.Tick();
                       }
                     },
                     {}};
  at(6, 9, 0);
  nested.Tick();
  at(6, 9, 1);
  nested.Tick();
  EXPECT_EQ(checks, (Strings{"9:0", "9:1", "9:2"}));
}

}  // namespace
}  // namespace ferrowick::engine::testing
