#include "runtime/Formats.h"

#include <langinfo.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <ctime>

namespace ferrowick::runtime {

namespace {

std::string format(const DateTime& when, const char* pattern) {
  std::tm tm{};
  tm.tm_year = when.year - 1900;
  tm.tm_mon = when.month - 1;
  tm.tm_mday = when.day;
  tm.tm_hour = when.hour;
  tm.tm_min = when.minute;
  tm.tm_sec = when.second;
  tm.tm_isdst = -1;
  // Fills the weekday and day of the year that some locales' formats show.
  std::tm normal = tm;
  if (std::mktime(&normal) != static_cast<std::time_t>(-1)) {
    tm.tm_wday = normal.tm_wday;
    tm.tm_yday = normal.tm_yday;
  }
  char text[128];
  // The pattern is the locale's own, so it cannot be a literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const std::size_t n = std::strftime(text, sizeof text, pattern, &tm);
#pragma GCC diagnostic pop
  return std::string(text, n);
}

bool isZeroDate(const DateTime& when) {
  return when.year == 1899 && when.month == 12 && when.day == 30;
}

}  // namespace

std::string shortDate(const DateTime& when) { return format(when, nl_langinfo(D_FMT)); }

std::string shortTime(const DateTime& when) { return format(when, "%H:%M"); }

std::string generalDateTime(const DateTime& when) {
  const bool midnight = when.hour == 0 && when.minute == 0 && when.second == 0;
  if (isZeroDate(when)) return format(when, nl_langinfo(T_FMT));
  if (midnight) return shortDate(when);
  return shortDate(when) + " " + format(when, nl_langinfo(T_FMT));
}

std::string standardNumber(double value) {
  // Halves round away from zero, as the system's number formatting does; to_chars alone
  // would round an exact 0.125 down to "0.12".
  std::string fixed;
  if (std::fabs(value) < 1e15) {
    const long long cents = std::llround(value * 100.0);
    const unsigned long long magnitude =
        static_cast<unsigned long long>(cents < 0 ? -cents : cents);
    std::string fraction = std::to_string(magnitude % 100);
    if (fraction.size() < 2) fraction.insert(0, "0");
    fixed = (cents < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
  } else {
    char digits[400];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    fixed = ec == std::errc() ? std::string(digits, end) : std::string("0.00");
  }

  const std::lconv* conv = std::localeconv();
  const std::string point = conv->decimal_point && *conv->decimal_point ? conv->decimal_point : ".";
  const std::string separator =
      conv->thousands_sep && *conv->thousands_sep ? conv->thousands_sep : ",";

  const bool negative = fixed.front() == '-';
  const std::size_t begin = negative ? 1 : 0;
  const std::size_t dot = fixed.find('.');
  const std::string whole = fixed.substr(begin, dot - begin);

  std::string text = negative ? "-" : "";
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) text += separator;
    text += whole[i];
  }
  return text + point + fixed.substr(dot + 1);
}

}  // namespace ferrowick::runtime
