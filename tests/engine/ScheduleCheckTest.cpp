#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "engine/ScheduleCheck.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::engine::testing {
namespace {

using Strings = std::vector<std::string>;
using Option = runtime::MemoryOptionButton MemoryMainWindow::*;

class CheckSchedule : public EngineTest {
 protected:
  CheckSchedule() {
    window.form_.setCaption("Ferrowick");
    state.LastRunTime = TimeOfDay::of(9, 15);
  }

  void at(int hour, int minute, int second = 0) {
    host.clock.time = {2026, 12, 7, hour, minute, second};
  }
  void check() {
    ScheduleCheck(
        ctx,
        [this] {
          calls.push_back("refresh");
          if (refreshFails != 0) runtime::raise(refreshFails);
        },
        [this] {
          calls.push_back("run, caption " + window.form_.caption() + ", repaints " +
                          std::to_string(window.form_.refreshCount));
          if (runFails != 0) runtime::raise(runFails);
          const int end = host.clock.time.hour * 60 + host.clock.time.minute + runMinutes;
          if (runMinutes > 0) at(end / 60 % 24, end % 60, 10);
        })
        .CheckSchedule();
  }

  long runs() const {
    return std::ranges::count_if(calls, [](const auto& call) { return call.starts_with("run"); });
  }
  Strings calls;
  int runMinutes = 0;
  int refreshFails = 0;
  int runFails = 0;
};

TEST_F(CheckSchedule, ARuleRunsInItsMinuteOnlyWhileChosenAndSet) {
  using W = MemoryMainWindow;
  const auto t = TimeOfDay::of;
  // The rule chosen, its time (at, or interval), the last run, the clock; whether it runs.
  // Midnight is the unset value: such a rule never fires.
  const struct {
    Option rule;
    TimeOfDay time, last;
    int clock[3];
    bool runs;
  } cases[] = {{&W::optAlways_, t(14, 30), t(9, 15), {14, 29, 59}, false},
               {&W::optAlways_, t(14, 30), t(9, 15), {14, 30, 59}, true},
               {&W::optAlways_, t(14, 30), t(9, 15), {14, 31, 0}, false},
               {&W::Option3_, t(14, 30), t(0, 0), {14, 30, 0}, false},
               {&W::optAlways_, t(0, 0), t(0, 0), {0, 0, 0}, false},
               {&W::optEach_, t(0, 0), t(0, 0), {0, 0, 0}, false},
               {&W::optEach_, t(2, 0), t(9, 15), {11, 14, 59}, false},
               {&W::optEach_, t(2, 0), t(9, 15), {11, 15, 30}, true},
               {&W::optEach_, t(1, 0), t(23, 30), {23, 30, 0}, false},
               {&W::optEach_, t(1, 0), t(23, 30), {0, 30, 5}, true}};
  for (const auto& rule : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &rule - cases);
    calls.clear();
    (window.*rule.rule).setValue(true);
    state.AlwaysAtTime = state.EachInterval = rule.time;
    state.LastRunTime = rule.last;
    at(rule.clock[0], rule.clock[1], rule.clock[2]);
    check();
    EXPECT_EQ(calls.size(), rule.runs ? 2u : 0u);
    EXPECT_EQ(state.LastRunTime, rule.runs ? t(rule.clock[0], rule.clock[1]) : rule.last);
  }
  EXPECT_TRUE(host.messages.shown.empty());
}

TEST_F(CheckSchedule, ARunShowsItsCaptionAndCountsTheNextFromItsEnd) {
  window.optEach_.setValue(true);
  state.EachInterval = TimeOfDay::of(2, 0);
  runMinutes = 2;
  at(11, 15, 30);
  check();
  EXPECT_EQ(calls, (Strings{"refresh", "run, caption text 180, repaints 1"}));
  EXPECT_EQ(window.form_.caption(), "Ferrowick");
  EXPECT_EQ(window.form_.refreshCount, 2);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(11, 17));
  at(13, 15);
  check();
  EXPECT_EQ(runs(), 1);
  at(13, 17);
  check();
  EXPECT_EQ(runs(), 2);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(13, 19));

  // No memory of a run already made in this minute.
  runMinutes = 0;
  window.optAlways_.setValue(true);
  state.AlwaysAtTime = TimeOfDay::of(14, 30);
  at(14, 30);
  check();
  check();
  EXPECT_EQ(runs(), 4);

  // A check made while a run is under way starts nothing and moves nothing.
  state.RunInProgress = true;
  state.LastRunTime = TimeOfDay::of(9, 15);
  window.form_.setCaption("text 180");
  check();
  EXPECT_EQ(calls.size(), 8u);
  EXPECT_EQ(window.form_.caption(), "text 180");
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(9, 15));
}

TEST_F(CheckSchedule, AFailureEndsTheCheckWithAPlainMessageOrNoneForTypeMismatch) {
  using namespace runtime::Err;
  // The refresh's error, the run's error; the message shown and the caption left.
  const struct {
    int refreshError, runError;
    const char *shown, *caption;
  } cases[] = {{0, TypeMismatch, "", "text 180"},
               {0, DiskFull, "61\nDisk full", "text 180"},
               {PathNotFound, 0, "76\nPath not found", "Ferrowick"}};
  window.optAlways_.setValue(true);
  state.AlwaysAtTime = TimeOfDay::of(14, 30);
  at(14, 30);
  for (const auto& failure : cases) {
    SCOPED_TRACE(failure.shown);
    calls.clear();
    host.messages.shown.clear();
    window.form_.setCaption("Ferrowick");
    refreshFails = failure.refreshError;
    runFails = failure.runError;
    check();
    EXPECT_EQ(boxesShown(host.messages),
              *failure.shown ? Strings{shownBox(runtime::MsgStyle::OkOnly, failure.shown)}
                             : Strings{});
    EXPECT_EQ(runs(), refreshFails != 0 ? 0 : 1);
    EXPECT_EQ(window.form_.caption(), failure.caption);  // not restored after a failed run
    EXPECT_EQ(state.LastRunTime, TimeOfDay::of(9, 15));
  }
}

}  // namespace
}  // namespace ferrowick::engine::testing
