#include <gtest/gtest.h>

#include <tuple>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

TEST_F(MainWindowTest, NextAndBackShowPagesAndTheIndicatorFollowsAtItsTick) {
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(bars(w), only(0, 7));  // the bars wait for the tick
  w.Hyperlink2_Click();
  const std::tuple<ui::QtButton*, int, int> steps[] = {
      {&w.Command6_, 3, 256}, {&w.Command3_, 4, 256}, {&w.Command4_, 3, 190}};
  for (const auto& [button, page, hint] : steps) {
    button->widget().click();
    w.Timer2_Timer();
    EXPECT_EQ(bars(w), only(page, 7)) << page;
    EXPECT_EQ(w.Label10().caption(), text(hint)) << page;
  }

  w.xt3().setVisible(false);  // with no page visible the bars stay
  w.Timer2_Timer();
  EXPECT_EQ(bars(w), only(3, 7));
}

}  // namespace
}  // namespace ferrowick::testing
