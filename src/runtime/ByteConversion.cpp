#include "runtime/ByteConversion.h"

#include <algorithm>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::uint8_t CByte(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) raise(Err::TypeMismatch);
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

  std::size_t at = 0;
  bool negative = false;
  if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';

  // Anything past 255 overflows, so the whole part saturates rather than wraps.
  constexpr unsigned kSaturated = 1000;
  unsigned whole = 0;
  bool anyDigit = false;
  while (at < text.size() && isDigit(text[at])) {
    whole = std::min(kSaturated, whole * 10 + static_cast<unsigned>(text[at++] - '0'));
    anyDigit = true;
  }
  std::string_view fraction;
  if (at < text.size() && text[at] == '.') {
    const std::size_t start = ++at;
    while (at < text.size() && isDigit(text[at])) ++at;
    fraction = text.substr(start, at - start);
    anyDigit = anyDigit || !fraction.empty();
  }
  if (!anyDigit || at != text.size()) raise(Err::TypeMismatch);

  // Half to even: above one half rounds up, exactly one half rounds to the even neighbour.
  if (!fraction.empty()) {
    const char lead = fraction.front();
    const bool restNonZero = fraction.substr(1).find_first_not_of('0') != std::string_view::npos;
    if (lead > '5' || (lead == '5' && (restNonZero || whole % 2 == 1))) ++whole;
  }
  if (whole > 255 || (negative && whole != 0)) raise(Err::Overflow);
  return static_cast<std::uint8_t>(whole);
}

}  // namespace ferrowick::runtime
