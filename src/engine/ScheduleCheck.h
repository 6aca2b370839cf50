#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/TimeOfDay.h"

namespace ferrowick::engine {

struct EngineContext;

// The schedule's time check: starts a run when the chosen time rule is due this minute.
class ScheduleCheck {
 public:
  // `refreshSourceList` expands the folder items before a run; `runBackup` is the copy run.
  ScheduleCheck(EngineContext& context, std::function<void()> refreshSourceList,
                std::function<void()> runBackup);

  // Tests the always-at rule and then, independently, the each-interval rule against
  // the clock's hour and minute, and performs a scheduled run for each that matches.
  void CheckSchedule();
  // The same for a minute the day gate hands in, which may lie a little in the past; a
  // rule tested after a run compares with the clock again.
  void CheckScheduleAt(TimeOfDay minute);

 private:
  void check(std::optional<TimeOfDay> minute);
  void scheduledRun(const std::string& keptCaption);

  EngineContext& ctx_;
  std::function<void()> refreshSourceList_;
  std::function<void()> runBackup_;
};

}  // namespace ferrowick::engine
