#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <tuple>
#include <vector>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

// The page's widgets that Tab stops at, in the order of the focus chain from `first`.
std::vector<QWidget*> tabStops(QWidget& page, QWidget* first) {
  std::vector<QWidget*> stops;
  QWidget* widget = first;
  do {
    if (page.isAncestorOf(widget) && widget->isVisibleTo(&page) &&
        (widget->focusPolicy() & Qt::TabFocus) != 0) {
      stops.push_back(widget);
    }
    widget = widget->nextInFocusChain();
  } while (widget != first);
  return stops;
}

TEST_F(MainWindowTest, TabWalksTheSchedulePageInItsVisualOrderSundayAfterSaturday) {
  ui::frmMain& w = makeWindow();
  std::vector<QWidget*> schedule{&w.Option3_.widget(),    &w.optAlways_.widget(),
                                 &w.MaskEdBox1_.widget(), &w.optEach_.widget(),
                                 &w.MaskEdBox2_.widget(), &w.optDaily_.widget()};
  for (std::size_t day : {1u, 2u, 3u, 4u, 5u, 6u, 0u})
    schedule.push_back(&w.chkDays_[day].widget());
  schedule.insert(schedule.end(), {&w.chkIncr_.widget(), &w.chkLog_.widget(), &w.Command4_.widget(),
                                   &w.cmdBakNow_.widget()});
  EXPECT_EQ(tabStops(w.xt4_.widget(), schedule.front()), schedule);
}

// The side links are Tab stops in their rows, before the page on show; Enter, Return or
// Space on a link does what a click does, so every page is reachable without a mouse.
TEST_F(MainWindowTest, TabReachesEverySideLinkAndTheKeysFollowIt) {
  ui::frmMain& w = makeWindow();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.cmdLog_.widget().setFocus();
  std::vector<QWidget*> walked;
  for (int step = 0; step < 8; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    walked.push_back(QApplication::focusWidget());
  }
  std::vector<QWidget*> rows;
  for (int link : {1, 2, 5, 4, 3, 7, 6}) rows.push_back(&w.Hyperlink(link).widget());
  rows.push_back(&w.cmdLog_.widget());
  EXPECT_EQ(walked, rows);

  const std::tuple<int, Qt::Key, int> cases[] = {{2, Qt::Key_Return, 2}, {5, Qt::Key_Space, 3},
                                                 {4, Qt::Key_Enter, 4},  {3, Qt::Key_Space, 5},
                                                 {1, Qt::Key_Return, 1}, {6, Qt::Key_Space, 1}};
  for (const auto& [link, key, page] : cases) {
    QWidget& widget = w.Hyperlink(link).widget();
    widget.setFocus();
    QTest::keyClick(&widget, key);
    w.Timer2_Timer();
    EXPECT_EQ(pages(w), only(page, 5)) << link;
    EXPECT_EQ(bars(w), only(page, 7)) << link;
  }
  EXPECT_EQ(ends, 1);  // the last link ends the program
  w.Hyperlink6_.widget().setFocus();
  QTest::keyClick(&w.Hyperlink6_.widget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &w.cmdLog_.widget());
}

}  // namespace
}  // namespace ferrowick::testing
