#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "engine/ScheduleCheck.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::engine::testing {
namespace {

using Strings = std::vector<std::string>;

class CheckSchedule : public EngineTest {
 protected:
  CheckSchedule() {
    window.form_.setCaption("Ferrowick");
    state.LastRunTime = TimeOfDay::of(9, 15);
  }

  void at(int hour, int minute, int second = 0) { host.clock.time = {2026, 12, 7, hour, minute, second}; }

  void check() {
    ScheduleCheck(
        ctx, [this] { calls.push_back("refresh"); },
        [this] {
          calls.push_back("run, caption " + window.form_.caption() + ", repaints " +
                          std::to_string(window.form_.refreshCount));
          if (runFails != 0) runtime::raise(runFails);
          if (runMinutes > 0) {
            const int end = host.clock.time.hour * 60 + host.clock.time.minute + runMinutes;
            at(end / 60 % 24, end % 60, 10);
          }
        })
        .CheckSchedule();
  }

  int runs() const {
    int count = 0;
    for (const auto& call : calls) count += call.rfind("run", 0) == 0 ? 1 : 0;
    return count;
  }

  Strings calls;
  int runMinutes = 0;
  int runFails = 0;
};

TEST_F(CheckSchedule, AlwaysAtRunsWithinItsMinuteOnly) {
  window.optAlways_.setValue(true);
  state.AlwaysAtTime = TimeOfDay::of(14, 30);

  at(14, 29, 59);
  check();
  EXPECT_EQ(runs(), 0);

  at(14, 30, 59);
  check();
  EXPECT_EQ(calls, (Strings{"refresh", "run, caption text 180, repaints 1"}));
  EXPECT_EQ(window.form_.caption(), "Ferrowick");
  EXPECT_EQ(window.form_.refreshCount, 2);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(14, 30));

  // No memory of the run already made in this minute.
  check();
  EXPECT_EQ(runs(), 2);

  at(14, 31, 0);
  check();
  EXPECT_EQ(runs(), 2);
  EXPECT_TRUE(host.messages.shown.empty());
}

TEST_F(CheckSchedule, ARuleCountsOnlyWhileChosenAndSet) {
  state.AlwaysAtTime = TimeOfDay::of(14, 30);
  state.EachInterval = TimeOfDay::of(5, 15);
  at(14, 30);
  check();  // only-now chosen
  EXPECT_EQ(runs(), 0);

  // Midnight is the unset value: such a rule never fires.
  window.optAlways_.setValue(true);
  state.AlwaysAtTime = {};
  at(0, 0);
  check();
  window.optEach_.setValue(true);
  state.EachInterval = {};
  state.LastRunTime = {};
  check();
  EXPECT_EQ(runs(), 0);
  EXPECT_EQ(window.form_.refreshCount, 0);
}

TEST_F(CheckSchedule, EachIntervalCountsFromTheEndOfTheLastRun) {
  window.optEach_.setValue(true);
  state.EachInterval = TimeOfDay::of(2, 0);
  runMinutes = 2;

  at(11, 14, 59);
  check();
  EXPECT_EQ(runs(), 0);
  at(11, 15, 30);
  check();
  EXPECT_EQ(runs(), 1);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(11, 17));

  at(13, 15);
  check();
  EXPECT_EQ(runs(), 1);
  at(13, 17);
  check();
  EXPECT_EQ(runs(), 2);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(13, 19));
}

TEST_F(CheckSchedule, EachIntervalWrapsPastMidnight) {
  window.optEach_.setValue(true);
  state.EachInterval = TimeOfDay::of(1, 0);
  state.LastRunTime = TimeOfDay::of(23, 30);
  at(23, 30);
  check();
  EXPECT_EQ(runs(), 0);
  at(0, 30, 5);
  check();
  EXPECT_EQ(runs(), 1);
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(0, 30));
}

// In the window the two rules exclude each other; the check still tests both.
class BothRulesWindow : public MemoryMainWindow {
 public:
  runtime::OptionButton& optEach() override { return separateEach_; }
  runtime::OptionGroup ownGroup_;
  runtime::MemoryOptionButton separateEach_{ownGroup_, true};
};

class CheckScheduleBothRules : public CheckSchedule {
 protected:
  CheckScheduleBothRules() {
    both.optAlways_.setValue(true);
    both.form_.setCaption("Ferrowick");
  }
  void checkBoth() {
    EngineContext local{app, host.host, fs, lang, both, state};
    ScheduleCheck(
        local, [this] { calls.push_back("refresh"); }, [this] { calls.push_back("run"); })
        .CheckSchedule();
  }
  BothRulesWindow both;
};

TEST_F(CheckScheduleBothRules, EachRuleIsTestedAfterTheAlwaysRuleWhateverItDid) {
  state.AlwaysAtTime = TimeOfDay::of(10, 0);
  state.EachInterval = TimeOfDay::of(1, 0);
  state.LastRunTime = TimeOfDay::of(13, 30);
  at(14, 30);
  checkBoth();
  EXPECT_EQ(calls, (Strings{"refresh", "run"}));  // the each rule alone

  // The always run moves the last run time, so the each rule is no longer due.
  calls.clear();
  state.AlwaysAtTime = TimeOfDay::of(14, 30);
  state.LastRunTime = TimeOfDay::of(13, 30);
  checkBoth();
  EXPECT_EQ(calls, (Strings{"refresh", "run"}));
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(14, 30));
}

TEST_F(CheckSchedule, TypeMismatchEndsTheCheckSilently) {
  window.optAlways_.setValue(true);
  state.AlwaysAtTime = TimeOfDay::of(14, 30);
  at(14, 30);
  runFails = runtime::Err::TypeMismatch;
  check();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(window.form_.caption(), "text 180");  // not restored
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(9, 15));
}

TEST_F(CheckSchedule, OtherErrorsArePlainMessages) {
  window.optEach_.setValue(true);
  state.EachInterval = TimeOfDay::of(5, 15);
  at(14, 30);
  runFails = runtime::Err::DiskFull;
  check();
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "61\nDisk full");
  EXPECT_EQ(host.messages.shown[0].style, runtime::MsgStyle::OkOnly);
  EXPECT_EQ(host.messages.shown[0].caption, "Ferrowick");
  EXPECT_EQ(window.form_.caption(), "text 180");
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(9, 15));
}

TEST_F(CheckSchedule, ARefreshFailureStartsNoRun) {
  window.optAlways_.setValue(true);
  state.AlwaysAtTime = TimeOfDay::of(14, 30);
  at(14, 30);
  ScheduleCheck(
      ctx, [] { runtime::raise(runtime::Err::PathNotFound); }, [this] { calls.push_back("run"); })
      .CheckSchedule();
  EXPECT_TRUE(calls.empty());
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text, "76\nPath not found");
  EXPECT_EQ(window.form_.caption(), "Ferrowick");
}

TEST_F(CheckSchedule, NothingStartsWhileARunIsUnderWay) {
  window.optAlways_.setValue(true);
  state.AlwaysAtTime = TimeOfDay::of(14, 30);
  at(14, 30);
  state.RunInProgress = true;
  window.form_.setCaption("text 180");
  check();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(window.form_.caption(), "text 180");
  EXPECT_EQ(state.LastRunTime, TimeOfDay::of(9, 15));
}

}  // namespace
}  // namespace ferrowick::engine::testing
