#pragma once

namespace ferrowick::runtime {

// A local calendar date and time of day, as the clock reads it.
struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

}  // namespace ferrowick::runtime
