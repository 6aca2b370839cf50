#include <gtest/gtest.h>

#include <clocale>

#include "runtime/Formats.h"

namespace ferrowick::runtime {
namespace {

TEST(Formats, StandardNumberGroupsThousandsAndRoundsToTwoDecimals) {
  EXPECT_EQ(standardNumber(999.999), "1,000.00");
  EXPECT_EQ(standardNumber(-0.001), "0.00");
  EXPECT_EQ(standardNumber(-1234567.5), "-1,234,567.50");
}

TEST(Formats, DatesAndTimesFollowTheLocaleInTheCLocale) {
  ASSERT_NE(std::setlocale(LC_TIME, "C"), nullptr);
  const DateTime when{2026, 12, 6, 9, 5, 7};
  EXPECT_EQ(shortDate(when), "12/06/26");
  EXPECT_EQ(shortTime(when), "09:05");
  EXPECT_EQ(generalDateTime(when), "12/06/26 09:05:07");
  EXPECT_EQ(generalDateTime({2026, 12, 6, 0, 0, 0}), "12/06/26");
  EXPECT_EQ(generalDateTime({1899, 12, 30, 13, 0, 1}), "13:00:01");
}

}  // namespace
}  // namespace ferrowick::runtime
