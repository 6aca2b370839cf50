#include "runtime/NumberReader.h"

#include <charconv>
#include <cmath>
#include <string>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int digitValue(char c, int base) {
  int d = -1;
  if (isDigit(c))
    d = c - '0';
  else if (upper(c) >= 'A' && upper(c) <= 'F')
    d = upper(c) - 'A' + 10;
  return d < base ? d : -1;
}

class Scanner {
 public:
  Scanner(std::string_view text, bool skipBlanks) : text_(text), skipBlanks_(skipBlanks) {}

  char peek() {
    if (skipBlanks_) {
      while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void take() { ++pos_; }
  bool atEnd() { return peek() == '\0' && pos_ >= text_.size(); }
  std::size_t position() const { return pos_; }
  void rewind(std::size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool skipBlanks_;
};

struct Number {
  double value = 0;
  bool found = false;
};

Number readRadixConstant(Scanner& in) {
  in.take();  // the ampersand
  const char marker = upper(in.peek());
  const int base = marker == 'H' ? 16 : marker == 'O' ? 8 : 0;
  if (base == 0) return {};
  in.take();
  std::uint64_t value = 0;
  bool tooLarge = false;
  int digits = 0;
  for (int d = digitValue(in.peek(), base); d >= 0; d = digitValue(in.peek(), base)) {
    in.take();
    ++digits;
    if (!tooLarge) {
      value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
      tooLarge = value > 0xFFFFFFFFu;
    }
  }
  if (digits == 0) return {};
  if (tooLarge) raise(Err::Overflow);
  // Constants keep the width they fit in, so the top bit is the sign.
  if (value <= 0xFFFFu) return {static_cast<double>(static_cast<std::int16_t>(value)), true};
  return {static_cast<double>(static_cast<std::int32_t>(value)), true};
}

Number readDecimal(Scanner& in) {
  std::string clean;
  const char sign = in.peek();
  if (sign == '+' || sign == '-') {
    if (sign == '-') clean += '-';
    in.take();
  }
  int digits = 0;
  for (; isDigit(in.peek()); in.take(), ++digits) clean += in.peek();
  if (in.peek() == '.') {
    in.take();
    clean += '.';
    for (; isDigit(in.peek()); in.take(), ++digits) clean += in.peek();
  }
  if (digits == 0) return {};

  bool negativeExponent = false;
  const char marker = upper(in.peek());
  if (marker == 'E' || marker == 'D') {
    const std::size_t before = in.position();
    in.take();
    std::string exponent = "e";
    const char expSign = in.peek();
    if (expSign == '+' || expSign == '-') {
      negativeExponent = expSign == '-';
      exponent += expSign;
      in.take();
    }
    int expDigits = 0;
    for (; isDigit(in.peek()); in.take(), ++expDigits) exponent += in.peek();
    // A marker without digits is not part of the number.
    if (expDigits > 0) {
      clean += exponent;
    } else {
      in.rewind(before);
      negativeExponent = false;
    }
  }

  double value = 0;
  const auto result = std::from_chars(clean.data(), clean.data() + clean.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (negativeExponent) return {0.0, true};
    raise(Err::Overflow);
  }
  return {value, true};
}

Number readNumber(Scanner& in) {
  if (in.peek() == '&') return readRadixConstant(in);
  return readDecimal(in);
}

}  // namespace

double Val(std::string_view text) {
  Scanner in(text, true);
  return readNumber(in).value;
}

std::int32_t toInt32(double value) {
  if (!std::isfinite(value)) raise(Err::Overflow);
  double whole = std::floor(value);
  const double rest = value - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  if (whole < -2147483648.0 || whole > 2147483647.0) raise(Err::Overflow);
  return static_cast<std::int32_t>(whole);
}

std::int32_t textToInt32(std::string_view text) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  Scanner in(text, false);
  const Number number = readNumber(in);
  if (!number.found || !in.atEnd()) raise(Err::TypeMismatch);
  return toInt32(number.value);
}

}  // namespace ferrowick::runtime
