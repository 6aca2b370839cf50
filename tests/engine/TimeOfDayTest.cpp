#include <gtest/gtest.h>

#include "SettingsFixture.h"
#include "engine/TimeOfDay.h"

namespace ferrowick::engine::testing {
namespace {

TEST(TimeOfDay, ParsesTheFieldsTextOnlyAndSumsWithinTheDay) {
  EXPECT_EQ(TimeOfDay::parse("23:59"), TimeOfDay::of(23, 59));
  EXPECT_FALSE(TimeOfDay::parse("00:00").isSet());
  for (const char* text : {"1_:__", "24:00", "12:60", "7:30"}) {
    EXPECT_EQ(raisedError([&] { TimeOfDay::parse(text); }), runtime::Err::TypeMismatch) << text;
  }
  EXPECT_EQ(TimeOfDay::of(23, 30) + TimeOfDay::of(1, 0), TimeOfDay::of(0, 30));
}

}  // namespace
}  // namespace ferrowick::engine::testing
