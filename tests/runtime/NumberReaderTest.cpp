#include <gtest/gtest.h>

#include "runtime/ByteConversion.h"
#include "runtime/NumberReader.h"
#include "runtime/TestChecks.h"

namespace ferrowick::runtime {
namespace {

using testing::raisedError;

TEST(NumberReader, ReadsTheNumberThatStartsTheText) {
  const std::pair<const char*, double> cases[] = {
      {"\t1\n5x9", 15}, {"- 3", -3},       {"1.2.3", 1.2}, {"abc", 0},         {" ;100", 0},
      {"--1", 0},       {"&Z1", 0},        {"\r1", 0},     {"2d2", 200},       {"1e+x", 1},
      {"1E-400", 0},    {"&hff", 255},     {"&o19", 1},    {"&H8000", -32768}, {"&H10000", 65536},
      {"&H 1 F", 31},   {"&HFFFFFFFF", -1}};
  for (const auto& [text, value] : cases) EXPECT_EQ(Val(text), value) << text;
  EXPECT_EQ(raisedError([] { Val("1E400"); }), Err::Overflow);
  EXPECT_EQ(raisedError([] { Val("&H100000000"); }), Err::Overflow);
}

TEST(NumberReader, WholeNumbersRoundHalfToEven) {
  const std::pair<double, std::int32_t> cases[] = {{1.5, 2}, {2.5, 2}, {2.5000001, 3}, {-2.5, -2}};
  for (const auto& [value, whole] : cases) EXPECT_EQ(toInt32(value), whole) << value;
  EXPECT_EQ(raisedError([] { toInt32(2147483647.5); }), Err::Overflow);
  EXPECT_EQ(raisedError([] { toInt32(-2147483649.0); }), Err::Overflow);
}

TEST(NumberReader, ExplicitConversionWantsTheWholeTextToBeANumber) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {" 12 ", 12}, {"12.5", 12}, {"13.5", 14}, {"-1e3", -1000}, {"&H10", 16}};
  for (const auto& [text, value] : cases) EXPECT_EQ(textToInt32(text), value) << text;
  for (const char* text : {"  ", "12abc", "1 2", "&H"})
    EXPECT_EQ(raisedError([text] { textToInt32(text); }), Err::TypeMismatch) << text;
  EXPECT_EQ(raisedError([] { textToInt32("3000000000"); }), Err::Overflow);
}

TEST(CByte, TakesTheWholeNumberWhenItFitsInAByte) {
  EXPECT_EQ(CByte(" 255\t"), 255);
  EXPECT_EQ(CByte("-0.4"), 0);
  for (const char* text : {"256", "-1", "255.5"})
    EXPECT_EQ(raisedError([text] { CByte(text); }), Err::Overflow) << text;
  EXPECT_EQ(raisedError([] { CByte("12abc"); }), Err::TypeMismatch);
}

}  // namespace
}  // namespace ferrowick::runtime
