#pragma once

#include <array>
#include <cstddef>

namespace ferrowick::runtime {

// Text is UTF-8, so only ASCII letters have a case that one byte can fold: every other
// byte maps to itself.
inline constexpr std::array<unsigned char, 256> kAsciiLower = [] {
  std::array<unsigned char, 256> table{};
  for (std::size_t c = 0; c < table.size(); ++c) {
    table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return table;
}();

inline unsigned char asciiLower(char c) { return kAsciiLower[static_cast<unsigned char>(c)]; }

}  // namespace ferrowick::runtime
