#pragma once

#include <functional>
#include <string>

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

 private:
  void scheduledRun(const std::string& keptCaption);

  EngineContext& ctx_;
  std::function<void()> refreshSourceList_;
  std::function<void()> runBackup_;
};

}  // namespace ferrowick::engine
