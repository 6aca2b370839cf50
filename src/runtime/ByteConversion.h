#pragma once

#include <cstdint>
#include <string_view>

namespace ferrowick::runtime {

// The runtime's conversion of a whole text to an unsigned 8-bit number, read as
// textToInt32 reads it (blanks around it allowed, rounded half to even). A text that is
// no number raises 13 (Type mismatch); a number outside 0..255 raises 6 (Overflow).
std::uint8_t CByte(std::string_view text);

}  // namespace ferrowick::runtime
