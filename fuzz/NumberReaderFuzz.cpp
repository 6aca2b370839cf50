// The number reader: any text gives a finite number or raises overflow; the explicit
// conversion raises only overflow or type mismatch.
#include <cmath>

#include "FuzzSupport.h"
#include "runtime/NumberReader.h"
#include "runtime/RuntimeError.h"

using namespace ferrowick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::asText(data, size);
  try {
    fuzz::check(std::isfinite(runtime::Val(text)), "Val gives a finite number");
  } catch (const runtime::RuntimeError& error) {
    fuzz::check(error.number() == runtime::Err::Overflow, "Val raises only overflow");
  }
  try {
    runtime::textToInt32(text);
  } catch (const runtime::RuntimeError& error) {
    fuzz::check(
        error.number() == runtime::Err::Overflow || error.number() == runtime::Err::TypeMismatch,
        "textToInt32 raises only overflow or type mismatch");
  }
  return 0;
}
