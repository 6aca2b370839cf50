#pragma once

#include <string_view>

#include "runtime/DateTime.h"

namespace ferrowick::engine {

// Hours and minutes of a day, seconds zero. Zero is "unset", so 00:00 counts as unset.
struct TimeOfDay {
  static constexpr int kMinutesPerDay = 24 * 60;

  int minutes = 0;  // since midnight

  static TimeOfDay of(int hour, int minute) noexcept { return TimeOfDay{hour * 60 + minute}; }
  // The clock's hour and minute, its seconds dropped.
  static TimeOfDay at(const runtime::DateTime& time) noexcept { return of(time.hour, time.minute); }
  // A time field's text, two-digit hours, ":" and two-digit minutes ("07:30"). Anything
  // else, a partly filled field or hours over 23 or minutes over 59 included, raises 13
  // (Type mismatch).
  static TimeOfDay parse(std::string_view text);

  int hour() const noexcept { return minutes / 60; }
  int minute() const noexcept { return minutes % 60; }
  bool isSet() const noexcept { return minutes != 0; }

  // The time-of-day part of the sum: whole days drop out, so 23:30 + 01:00 is 00:30.
  friend TimeOfDay operator+(TimeOfDay a, TimeOfDay b) noexcept {
    return TimeOfDay{(a.minutes + b.minutes) % kMinutesPerDay};
  }
  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

}  // namespace ferrowick::engine
