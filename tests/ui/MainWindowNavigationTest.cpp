#include <gtest/gtest.h>

#include <QTest>
#include <tuple>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

TEST_F(MainWindowTest, LinksAndNextAndBackShowPagesAndTheIndicatorFollowsAtItsTick) {
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(bars(w), only(0, 7));  // the bars wait for the tick
  w.Timer2_Timer();
  EXPECT_EQ(bars(w), only(1, 7));
  // Links are numbered apart from their pages: 5 opens xt3 and 3 opens xt5.
  const std::pair<int, int> links[] = {{5, 3}, {3, 5}, {1, 1}};
  for (const auto& [link, page] : links) {
    w.Hyperlink(link).onClick();
    w.Timer2_Timer();
    EXPECT_EQ(pages(w), only(page, 5)) << page;
    EXPECT_EQ(bars(w), only(page, 7)) << page;
  }

  // Next and Back: each button, the page it leads to and the hint under the pages.
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

TEST_F(MainWindowTest, HoverUnderlinesOneLinkAndAHiddenWindowKeepsItsPage) {
  ui::frmMain& w = makeWindow();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTest::mouseMove(&w.Hyperlink2_.widget());
  EXPECT_EQ(underlines(w), only(2, 7));
  QTest::mouseMove(&w.Hyperlink5_.widget());  // straight on: one move swaps the underline
  EXPECT_EQ(underlines(w), only(5, 7));
  w.Hyperlink7_MouseMove();
  QTest::mouseMove(w.centralWidget(), QPoint(100, 380));  // bare surface, below the panel
  EXPECT_EQ(underlines(w), only(0, 7));
  w.Hyperlink6_MouseMove();
  QTest::mouseMove(&w.xt1_.widget(), QPoint(200, 200));  // the page's move, not the surface's
  EXPECT_EQ(underlines(w), only(6, 7));

  QTest::mouseClick(&w.Hyperlink4_.widget(), Qt::LeftButton);
  EXPECT_EQ(pages(w), only(4, 5));
  w.Hyperlink7_Click();
  EXPECT_TRUE(!w.isVisible() && ends == 0);
  w.show();
  EXPECT_EQ(pages(w), only(4, 5));
}

}  // namespace
}  // namespace ferrowick::testing
