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
  // `minute` (the clock's hour and minute when none), and performs a scheduled run for
  // each that matches. The day gate hands in a minute that may lie a little in the past;
  // a rule tested after a run compares with the clock again.
  void CheckSchedule(std::optional<TimeOfDay> minute = std::nullopt);

  // A rule that fell due while another run was under way is held over; this starts its run
  // once no run is under way, if the rule is still chosen and set. Once per hold-over,
  // however many times the rule fell due meanwhile.
  void StartDeferredRun();

 private:
  enum class Rule { AlwaysAt, Each };

  bool chosen(Rule rule) const;
  void guarded(const std::function<void()>& check);
  void scheduledRun(Rule rule, const std::string& keptCaption);

  EngineContext& ctx_;
  std::function<void()> refreshSourceList_;
  std::function<void()> runBackup_;
  std::optional<Rule> deferred_;
};

}  // namespace ferrowick::engine
