#pragma once

#include <string>

#include "runtime/DateTime.h"

namespace ferrowick::runtime {

// The date, time and number texts the program shows, in the C library's current locale
// (Qt's application object sets it from the environment at start-up; tests run in "C").

// The general date-and-time text: the short date, a space and the long time (the
// locale's D_FMT and T_FMT). The date alone when the time is midnight, the time alone
// on the zero date 1899-12-30.
std::string generalDateTime(const DateTime& when);

// "short date": the locale's date format (D_FMT).
std::string shortDate(const DateTime& when);

// "short time": 24-hour hours and minutes, "%H:%M". Locales disagree on whether and how
// to show a 12-hour clock, and no C locale category carries a time format without seconds.
std::string shortTime(const DateTime& when);

// "standard": thousands separators and two decimals, 1234.5 gives "1,234.50" and 0 gives
// "0.00". The separators are the locale's (LC_NUMERIC); a locale that has no thousands
// separator, such as "C", gets ",".
std::string standardNumber(double value);

}  // namespace ferrowick::runtime
