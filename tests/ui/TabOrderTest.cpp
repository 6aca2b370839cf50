#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ferrowick::testing
