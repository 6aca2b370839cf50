#include <gtest/gtest.h>

#include <utility>

#include "runtime/ByteConversion.h"
#include "runtime/TestChecks.h"

namespace ferrowick::runtime {
namespace {

TEST(CByte, RoundsHalfToEvenIntoTheByteRangeAndRaisesOutsideIt) {
  const std::pair<const char*, int> values[] = {
      {"0", 0}, {" 200\t", 200}, {"255", 255}, {"2.5", 2}, {"3.5", 4}, {".6", 1}, {"-0.4", 0}};
  for (const auto& [text, value] : values) EXPECT_EQ(CByte(text), value) << text;
  const std::pair<const char*, int> errors[] = {
      {"", Err::TypeMismatch},  {"12abc", Err::TypeMismatch},
      {"256", Err::Overflow},   {"-1", Err::Overflow},
      {"255.5", Err::Overflow}, {"99999999999999999999", Err::Overflow}};
  for (const auto& [text, error] : errors) {
    EXPECT_EQ(testing::errorOf([text = text] { CByte(text); }), error) << text;
  }
}

}  // namespace
}  // namespace ferrowick::runtime
