#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace ferrowick::services {

// A value read from the registry: text, a 32-bit signed integer (the DWORD types), or
// no value at all (a string read that failed).
class RegValue {
 public:
  RegValue() = default;
  RegValue(std::string text) : value_(std::move(text)) {}
  RegValue(const char* text) : value_(std::string(text)) {}
  explicit RegValue(std::int32_t number) : value_(number) {}

  bool hasValue() const noexcept { return !std::holds_alternative<std::monostate>(value_); }
  bool isNumber() const noexcept { return std::holds_alternative<std::int32_t>(value_); }
  std::int32_t number() const { return std::get<std::int32_t>(value_); }

  // The value as text: the text itself, the number in decimal, or "" for no value.
  std::string text() const;

  friend bool operator==(const RegValue&, const RegValue&) = default;

 private:
  std::variant<std::monostate, std::string, std::int32_t> value_;
};

}  // namespace ferrowick::services
