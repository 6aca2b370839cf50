#include <gtest/gtest.h>

#include <string>

#include "EngineRig.h"
#include "engine/DestinationName.h"

namespace ferrowick::engine::testing {
namespace {

class DestinationNameTest : public ::testing::Test, public ferrowick::testing::EngineRig {
 protected:
  DestinationNameTest() { host.clock.time = {2009, 7, 3, 10, 0, 0}; }
  DestinationName name{ctx};
};

TEST_F(DestinationNameTest, TheDateSeparatorIsChosenByItsExactText) {
  const std::pair<std::string, std::string> separators[] = {
      {"-", "07-03-2009"}, {"Space", "07 03 2009"}, {"space", "07032009"}};
  for (const auto& [separator, date] : separators) {
    window.cmbSep_.setText(separator);
    EXPECT_EQ(name.GetDateFormat(), date) << separator;
  }
}

TEST_F(DestinationNameTest, ARunOnALaterDayDatesThePreviewAfresh) {
  window.txtSelected2_.setText("/b");
  name.bDated = true;
  name.CustomDir(false, true, false);
  host.clock.time.day = 4;
  state.RunInProgress = true;  // a run under way keeps its folder
  name.ComposeForRun();
  EXPECT_EQ(window.txtDest_.text(), "/b/07032009");
  state.RunInProgress = false;
  name.ComposeForRun();
  EXPECT_EQ(window.txtDest_.text(), "/b/07042009");

  // A preview set since to the bare base is left alone.
  host.clock.time.day = 5;
  window.txtDest_.setText("/b");
  name.ComposeForRun();
  EXPECT_EQ(window.txtDest_.text(), "/b");
}

}  // namespace
}  // namespace ferrowick::engine::testing
