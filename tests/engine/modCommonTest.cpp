#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "SettingsFixture.h"
#include "engine/modCommon.h"

namespace ferrowick::engine::testing {
namespace {

class modCommonTest : public EngineTest {};

// The hourly rule then counts from the end of the run it waited for.
TEST_F(modCommonTest, AScheduledRunDueDuringARunByHandStartsOnceThatRunHasEnded) {
  const auto source = ferrowick::testing::Sandbox::root() / "docs";
  const auto copy = ferrowick::testing::Sandbox::root() / ("backup" + source.string() + "/a.txt");
  ferrowick::testing::writeFile(source / "a.txt", "alpha");
  modCommon engine(app, host.host, fs, lang, window);
  window.lstSource_.addItem(source.string() + "/*.*");
  window.txtDest_.setText((ferrowick::testing::Sandbox::root() / "backup").string());
  window.optEach_.setValue(true);
  engine.state.EachInterval = TimeOfDay::of(1, 0);
  engine.state.LastRunTime = TimeOfDay::of(9, 15);
  const auto tick = [&](int h, int m, int s) {
    host.clock.time = {2026, 12, 7, h, m, s};
    engine.scheduleDay.Tick();
  };
  tick(10, 14, 50);
  // The rule falls due at 10:15 while the run by hand yields to the event loop.
  host.loop.pending = [&] { tick(10, 15, 10); };
  engine.copyRun.RunBackup();
  host.loop.pending = nullptr;
  std::filesystem::remove(copy);

  // The hour and the second the schedule's timer next sees, and whether a run copies then.
  const std::tuple<int, int, int, bool> ticks[] = {{10, 16, 30, true},
                                                   {10, 16, 40, false},
                                                   {10, 17, 0, false},
                                                   {11, 15, 0, false},
                                                   {11, 16, 5, true}};
  for (const auto& [h, m, s, runs] : ticks) {
    SCOPED_TRACE(std::to_string(h) + ":" + std::to_string(m));
    tick(h, m, s);
    EXPECT_EQ(std::filesystem::exists(copy), runs);
    std::filesystem::remove(copy);
  }
  EXPECT_EQ(engine.state.LastRunTime, TimeOfDay::of(11, 16));
}

}  // namespace
}  // namespace ferrowick::engine::testing
