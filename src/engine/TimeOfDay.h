#pragma once

namespace ferrowick::engine {

// Hours and minutes of a day, seconds zero. Zero is "unset", so 00:00 counts as unset.
struct TimeOfDay {
  int minutes = 0;  // since midnight

  bool isSet() const noexcept { return minutes != 0; }
  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

}  // namespace ferrowick::engine
