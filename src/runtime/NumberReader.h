#pragma once

#include <cstdint>
#include <string_view>

namespace ferrowick::runtime {

// The general number reader: reads the number that starts the text and ignores the rest.
// Spaces, tabs and line feeds are skipped wherever they stand; then an optional sign,
// digits with an optional decimal point and an optional exponent ("E" or "D"), or a
// "&H" (hexadecimal) or "&O" (octal) constant. 0 when no number starts there.
// A hexadecimal or octal constant that fits in 16 bits reads as a signed 16-bit value,
// one that fits in 32 bits as a signed 32-bit value ("&HFFFF" is -1). Raises 6 when the
// number is too large for a double or a constant needs more than 32 bits.
double Val(std::string_view text);

// Rounds to the nearest whole number, a half to the even neighbour (2.5 gives 2, 3.5
// gives 4). Raises 6 when the result does not fit in 32 signed bits.
std::int32_t toInt32(double value);

// Converts a whole text to a 32-bit integer the way an explicit conversion does: leading
// and trailing blanks are allowed, anything else that is not part of the number (or an
// empty text) raises 13; the value is rounded as toInt32 rounds it.
std::int32_t textToInt32(std::string_view text);

}  // namespace ferrowick::runtime
