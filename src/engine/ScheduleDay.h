#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "engine/TimeOfDay.h"
#include "runtime/DateTime.h"

namespace ferrowick::engine {

struct EngineContext;

// The schedule day gate: decides whether a minute falls on a backup day and then hands
// that minute to the schedule's time check.
class ScheduleDay {
 public:
  // `checkSchedule` is the time check for the minute given; `startDeferred` starts a
  // scheduled run that fell due while another run was under way, once none is.
  ScheduleDay(EngineContext& context, std::function<void(TimeOfDay)> checkSchedule,
              std::function<void()> startDeferred);

  // Nothing while both schedule times are unset; with `optDaily` selected the check runs
  // once; otherwise it runs when the minute's weekday box is ticked.
  void CheckScheduleDay(const runtime::DateTime& minute);

  // Called by a timer, as often as it likes: runs the gate once for every minute of the
  // clock not seen yet, so each minute is seen exactly once whatever the timer's jitter
  // or a busy event loop. The first call sees only the clock's minute; after a long gap
  // only the last day is caught up; a clock put back by up to an hour waits until it
  // reaches minutes not yet seen, one put back further starts afresh. A deferred run is
  // started first, on any day: its day was a backup day when it fell due.
  void Tick();

  // 1 = Sunday to 7 = Saturday.
  static int weekday(const runtime::DateTime& day);

 private:
  static std::int64_t minuteStamp(const runtime::DateTime& time);
  static runtime::DateTime minuteAt(std::int64_t stamp);

  EngineContext& ctx_;
  std::function<void(TimeOfDay)> checkSchedule_;
  std::function<void()> startDeferred_;
  std::optional<std::int64_t> lastSeen_;
};

}  // namespace ferrowick::engine
