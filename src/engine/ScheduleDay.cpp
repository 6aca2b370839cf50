#include "engine/ScheduleDay.h"

#include <chrono>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "runtime/Host.h"

namespace ferrowick::engine {

namespace {
constexpr std::int64_t kMinutesPerDay = TimeOfDay::kMinutesPerDay;
constexpr std::int64_t kWaitForBackwardClock = 60;

std::chrono::sys_days dayOf(const runtime::DateTime& time) {
  using namespace std::chrono;
  return sys_days{year{time.year} / month{static_cast<unsigned>(time.month)} /
                  day{static_cast<unsigned>(time.day)}};
}
}  // namespace

ScheduleDay::ScheduleDay(EngineContext& context, std::function<void(TimeOfDay)> checkSchedule,
                         std::function<void()> startDeferred)
    : ctx_(context),
      checkSchedule_(std::move(checkSchedule)),
      startDeferred_(std::move(startDeferred)) {}

void ScheduleDay::CheckScheduleDay(const runtime::DateTime& minute) {
  const EngineState& state = ctx_.state;
  if (!state.EachInterval.isSet() && !state.AlwaysAtTime.isSet()) return;
  MainWindowView& view = ctx_.view;
  if (view.optDaily().value()) {
    checkSchedule_(TimeOfDay::at(minute));
    return;
  }
  const int today = weekday(minute);
  for (int day = 1; day <= 7; ++day) {
    if (view.chkDays(day).value() == runtime::CheckState::Checked && day == today) {
      checkSchedule_(TimeOfDay::at(minute));
    }
  }
}

void ScheduleDay::Tick() {
  if (startDeferred_) startDeferred_();
  const std::int64_t now = minuteStamp(ctx_.host.clock.now());
  if (!lastSeen_ || now < *lastSeen_ - kWaitForBackwardClock) {
    lastSeen_ = now - 1;
  } else if (now - *lastSeen_ > kMinutesPerDay) {
    lastSeen_ = now - kMinutesPerDay;
  }
  // A run started here yields to the event loop, where this may be called again: each
  // minute is marked before its check, and the loop re-reads the mark.
  while (*lastSeen_ < now) {
    const std::int64_t minute = ++*lastSeen_;
    CheckScheduleDay(minuteAt(minute));
  }
}

int ScheduleDay::weekday(const runtime::DateTime& day) {
  return static_cast<int>(std::chrono::weekday{dayOf(day)}.c_encoding()) + 1;
}

std::int64_t ScheduleDay::minuteStamp(const runtime::DateTime& time) {
  return static_cast<std::int64_t>(dayOf(time).time_since_epoch().count()) * kMinutesPerDay +
         time.hour * 60 + time.minute;
}

runtime::DateTime ScheduleDay::minuteAt(std::int64_t stamp) {
  using namespace std::chrono;
  std::int64_t days = stamp / kMinutesPerDay;
  std::int64_t rest = stamp % kMinutesPerDay;
  if (rest < 0) {
    rest += kMinutesPerDay;
    --days;
  }
  const year_month_day date{sys_days{std::chrono::days{days}}};
  return runtime::DateTime{static_cast<int>(date.year()),
                           static_cast<int>(static_cast<unsigned>(date.month())),
                           static_cast<int>(static_cast<unsigned>(date.day())),
                           static_cast<int>(rest / 60),
                           static_cast<int>(rest % 60),
                           0};
}

}  // namespace ferrowick::engine
