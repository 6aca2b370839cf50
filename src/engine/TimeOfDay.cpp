#include "engine/TimeOfDay.h"

#include "runtime/RuntimeError.h"

namespace ferrowick::engine {

namespace {
int digit(char c) {
  if (c < '0' || c > '9') runtime::raise(runtime::Err::TypeMismatch);
  return c - '0';
}
}  // namespace

TimeOfDay TimeOfDay::parse(std::string_view text) {
  if (text.size() != 5 || text[2] != ':') runtime::raise(runtime::Err::TypeMismatch);
  const int hour = digit(text[0]) * 10 + digit(text[1]);
  const int minute = digit(text[3]) * 10 + digit(text[4]);
  if (hour > 23 || minute > 59) runtime::raise(runtime::Err::TypeMismatch);
  return of(hour, minute);
}

}  // namespace ferrowick::engine
