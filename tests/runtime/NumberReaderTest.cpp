#include <gtest/gtest.h>

#include "runtime/NumberReader.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {
namespace {

int errorOf(auto&& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

TEST(NumberReader, ReadsTheNumberThatStartsTheTextSkippingBlanksAnywhere) {
  EXPECT_EQ(Val("001"), 1);
  EXPECT_EQ(Val("15 "), 15);
  EXPECT_EQ(Val(" 15"), 15);
  EXPECT_EQ(Val("1 5"), 15);
  EXPECT_EQ(Val("\t1\n5x9"), 15);
  EXPECT_EQ(Val("-01"), -1);
  EXPECT_EQ(Val("+7"), 7);
  EXPECT_EQ(Val("1.5"), 1.5);
  EXPECT_EQ(Val(".5"), 0.5);
  EXPECT_EQ(Val("1.2.3"), 1.2);
  EXPECT_EQ(Val("- 3"), -3);
}

TEST(NumberReader, NoNumberGivesZero) {
  for (const char* text : {"", "abc", " ;100", "--1", "-", ".", "&", "&Z1", "&H", "\r1"})
    EXPECT_EQ(Val(text), 0) << text;
}

TEST(NumberReader, ExponentWithEOrDOnlyWhenDigitsFollow) {
  EXPECT_EQ(Val("1E2"), 100);
  EXPECT_EQ(Val("2d2"), 200);
  EXPECT_EQ(Val("25e-1"), 2.5);
  EXPECT_EQ(Val("1E"), 1);
  EXPECT_EQ(Val("1e+x"), 1);
  EXPECT_EQ(Val("1E-400"), 0);
  EXPECT_EQ(errorOf([] { Val("1E400"); }), Err::Overflow);
}

TEST(NumberReader, HexAndOctalConstantsKeepTheWidthTheyFitIn) {
  EXPECT_EQ(Val("&H1F"), 31);
  EXPECT_EQ(Val("&hff"), 255);
  EXPECT_EQ(Val("&O17"), 15);
  EXPECT_EQ(Val("&o19"), 1);
  EXPECT_EQ(Val("&HFFFF"), -1);
  EXPECT_EQ(Val("&H8000"), -32768);
  EXPECT_EQ(Val("&H10000"), 65536);
  EXPECT_EQ(Val("&HFFFFFFFF"), -1);
  EXPECT_EQ(Val("&H 1 F"), 31);
  EXPECT_EQ(errorOf([] { Val("&H100000000"); }), Err::Overflow);
}

TEST(NumberReader, WholeNumbersRoundHalfToEven) {
  EXPECT_EQ(toInt32(0.5), 0);
  EXPECT_EQ(toInt32(1.5), 2);
  EXPECT_EQ(toInt32(2.5), 2);
  EXPECT_EQ(toInt32(2.5000001), 3);
  EXPECT_EQ(toInt32(-1.5), -2);
  EXPECT_EQ(toInt32(-2.5), -2);
  EXPECT_EQ(toInt32(-0.4), 0);
  EXPECT_EQ(toInt32(2147483647.4), 2147483647);
  EXPECT_EQ(toInt32(-2147483648.5), -2147483648);
  EXPECT_EQ(errorOf([] { toInt32(2147483647.5); }), Err::Overflow);
  EXPECT_EQ(errorOf([] { toInt32(-2147483649.0); }), Err::Overflow);
}

TEST(NumberReader, ExplicitConversionWantsTheWholeTextToBeANumber) {
  EXPECT_EQ(textToInt32(" 12 "), 12);
  EXPECT_EQ(textToInt32("12.5"), 12);
  EXPECT_EQ(textToInt32("13.5"), 14);
  EXPECT_EQ(textToInt32("-1e3"), -1000);
  EXPECT_EQ(textToInt32("&H10"), 16);
  for (const char* text : {"", "  ", "abc", "12abc", "1 2", "&H", "-"})
    EXPECT_EQ(errorOf([text] { textToInt32(text); }), Err::TypeMismatch) << text;
  EXPECT_EQ(errorOf([] { textToInt32("3000000000"); }), Err::Overflow);
}

}  // namespace
}  // namespace ferrowick::runtime
