#include "runtime/ByteConversion.h"

#include "runtime/NumberReader.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

std::uint8_t CByte(std::string_view text) {
  const std::int32_t value = textToInt32(text);
  if (value < 0 || value > 255) raise(Err::Overflow);
  return static_cast<std::uint8_t>(value);
}

}  // namespace ferrowick::runtime
