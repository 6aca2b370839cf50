#include <gtest/gtest.h>

#include "SettingsFixture.h"
#include "engine/modCommon.h"

namespace ferrowick::engine::testing {
namespace {

class modCommonTest : public EngineTest {};

// The pieces meet: a schedule saved before a restart runs a real copy after it.
TEST_F(modCommonTest, SavedScheduleRunsACopyAfterTheNextStart) {
  const auto source = ferrowick::testing::Sandbox::root() / "docs";
  const auto backup = ferrowick::testing::Sandbox::root() / "backup";
  ferrowick::testing::writeFile(source / "a.txt", "alpha");
  {
    modCommon engine(app, host.host, fs, lang, window);
    window.lstSource_.addItem(source.string() + "/*.*");
    window.txtDest_.setText(backup.string());
    window.optAlways_.setValue(true);
    window.MaskEdBox1_.setText("14:30");
    ASSERT_FALSE(engine.validation.CheckSettings());
    engine.settings.SaveSettings();
  }

  MemoryMainWindow next;
  modCommon engine(app, host.host, fs, lang, next);
  engine.settings.LoadSettings();
  next.txtDest_.setText(backup.string());  // the destination page rebuilds it from BaseDir
  ASSERT_TRUE(next.optAlways_.value());
  host.clock.time = {2026, 12, 7, 14, 30, 59};
  engine.schedule.CheckSchedule();

  EXPECT_EQ(ferrowick::testing::readFile(backup.string() + source.string() + "/a.txt"), "alpha");
  EXPECT_EQ(engine.state.LastRunTime.minutes, 14 * 60 + 30);
  EXPECT_EQ(engine.state.SourceFiles.size(), 1u);
}

}  // namespace
}  // namespace ferrowick::engine::testing
