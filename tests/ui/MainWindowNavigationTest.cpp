#include <gtest/gtest.h>

#include <QTest>
#include <tuple>
#include <vector>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

TEST_F(MainWindowTest, LinksAndNextAndBackShowPagesAndTheIndicatorFollowsAtItsTick) {
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(bars(w), only(0, 7));  // no tick yet
  w.Timer2_Timer();
  EXPECT_EQ(bars(w), only(1, 7));
  // Links are numbered apart from their pages: 5 opens xt3 and 3 opens xt5. The last
  // click is on the link of the page on show, which changes nothing.
  const std::pair<void (ui::frmMain::*)(), int> links[] = {
      {&ui::frmMain::Hyperlink2_Click, 2}, {&ui::frmMain::Hyperlink5_Click, 3},
      {&ui::frmMain::Hyperlink4_Click, 4}, {&ui::frmMain::Hyperlink3_Click, 5},
      {&ui::frmMain::Hyperlink1_Click, 1}, {&ui::frmMain::Hyperlink1_Click, 1}};
  int previous = 1;
  for (const auto& [click, page] : links) {
    (w.*click)();
    EXPECT_EQ(pages(w), only(page, 5)) << page;
    EXPECT_EQ(bars(w), only(previous, 7)) << "the bar waits for the tick";
    w.Timer2_Timer();
    EXPECT_EQ(bars(w), only(page, 7)) << page;
    previous = page;
  }

  // Next and Back walk sources, destination, schedule; each button, the page it leads
  // to and the hint shown under the pages.
  w.Hyperlink2_Click();
  const std::tuple<ui::QtButton*, int, std::string> steps[] = {
      {&w.Command6_, 3, text(256)}, {&w.Command3_, 4, text(256)}, {&w.Command4_, 3, text(190)},
      {&w.Command5_, 2, text(190)}};
  for (const auto& [button, page, hint] : steps) {
    button->widget().click();
    w.Timer2_Timer();
    EXPECT_EQ(pages(w), only(page, 5)) << page;
    EXPECT_EQ(bars(w), only(page, 7)) << page;
    EXPECT_EQ(w.Label10().caption(), hint) << page;
  }

  // The indicator takes the last visible page and, with none, keeps its bars.
  w.xt4().setVisible(true);
  w.Timer2_Timer();
  EXPECT_EQ(bars(w), only(4, 7));
  for (runtime::Page* page : {&w.xt2(), &w.xt4()}) page->setVisible(false);
  w.Timer2_Timer();
  EXPECT_EQ(bars(w), only(4, 7));
  // Every page at once: the last one wins, and the two bars without a page stay hidden.
  for (runtime::Page* page : {&w.xt1(), &w.xt2(), &w.xt3(), &w.xt4(), &w.xt5()}) {
    page->setVisible(true);
  }
  w.Timer2_Timer();
  EXPECT_EQ(bars(w), only(5, 7));
}

TEST_F(MainWindowTest, HoverUnderlinesOneLinkAndClickHideAndEndActOnTheWindow) {
  ui::frmMain& w = makeWindow();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTest::mouseMove(&w.Hyperlink2_.widget());
  EXPECT_EQ(underlines(w), only(2, 7));
  EXPECT_EQ(w.Hyperlink2_.widget().cursor().shape(), Qt::PointingHandCursor);
  // Straight from one link to the next: one move swaps the underline.
  QTest::mouseMove(&w.Hyperlink5_.widget());
  EXPECT_EQ(underlines(w), only(5, 7));
  QTest::mouseMove(&w.Image6_.widget(), QPoint(4, 180));
  EXPECT_EQ(underlines(w), only(0, 7));
  EXPECT_NE(w.Image6_.widget().cursor().shape(), Qt::PointingHandCursor);
  w.Hyperlink7_MouseMove();
  QTest::mouseMove(w.centralWidget(), QPoint(100, 380));  // bare surface, below the panel
  EXPECT_EQ(underlines(w), only(0, 7));
  // A move over a page is the page's, not the surface's.
  w.Hyperlink6_MouseMove();
  QTest::mouseMove(&w.xt1_.widget(), QPoint(200, 200));
  EXPECT_EQ(underlines(w), only(6, 7));

  QTest::mouseClick(&w.Hyperlink4_.widget(), Qt::LeftButton);
  EXPECT_EQ(pages(w), only(4, 5));
  w.Hyperlink7_Click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(ends, 0);
  // The indicator keeps ticking while hidden, and the page is kept for the next show.
  w.Timer2_Timer();
  EXPECT_EQ(bars(w), only(4, 7));
  w.show();
  EXPECT_EQ(pages(w), only(4, 5));
  w.Hyperlink6_Click();
  EXPECT_EQ(ends, 1);
}

}  // namespace
}  // namespace ferrowick::testing
