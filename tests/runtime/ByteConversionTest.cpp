#include <gtest/gtest.h>

#include <string>

#include "runtime/ByteConversion.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {
namespace {

int errorOf(const std::string& text) {
  try {
    CByte(text);
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(CByte, ReadsDecimalNumbersRoundingHalfToEven) {
  EXPECT_EQ(CByte("0"), 0);
  EXPECT_EQ(CByte("10"), 10);
  EXPECT_EQ(CByte(" 200\t"), 200);
  EXPECT_EQ(CByte("255"), 255);
  EXPECT_EQ(CByte("+7"), 7);
  EXPECT_EQ(CByte("007"), 7);
  EXPECT_EQ(CByte("2.5"), 2);
  EXPECT_EQ(CByte("3.5"), 4);
  EXPECT_EQ(CByte("2.51"), 3);
  EXPECT_EQ(CByte(".6"), 1);
  EXPECT_EQ(CByte("-0.4"), 0);
}

TEST(CByte, NoNumberIsATypeMismatchAndOutOfRangeAnOverflow) {
  EXPECT_EQ(errorOf("abc"), Err::TypeMismatch);
  EXPECT_EQ(errorOf(""), Err::TypeMismatch);
  EXPECT_EQ(errorOf("  "), Err::TypeMismatch);
  EXPECT_EQ(errorOf("12abc"), Err::TypeMismatch);
  EXPECT_EQ(errorOf("1 2"), Err::TypeMismatch);
  EXPECT_EQ(errorOf("-"), Err::TypeMismatch);
  EXPECT_EQ(errorOf("256"), Err::Overflow);
  EXPECT_EQ(errorOf("255.5"), Err::Overflow);
  EXPECT_EQ(errorOf("99999999999999999999"), Err::Overflow);
  EXPECT_EQ(errorOf("-1"), Err::Overflow);
}

}  // namespace
}  // namespace ferrowick::runtime
