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

TEST_F(MainWindowTest, TabWalksEachPageInItsVisualOrderSundayAfterSaturday) {
  ui::frmMain& w = makeWindow();
  const std::vector<QWidget*> sources{&w.txtSelected_.widget(),  &w.BrowseForFolders_.widget(),
                                      &w.chkIncSub_.widget(),    &w.fileSource_.widget(),
                                      &w.cmdAddDir_.widget(),    &w.cmdAddFile_.widget(),
                                      &w.lstSource_.widget(),    &w.cmdExclude_.widget(),
                                      &w.cmdClrSoucre_.widget(), &w.Command6_.widget()};
  const std::vector<QWidget*> destination{
      &w.Option2_.widget(),   &w.txtDest_.widget(),  &w.Command1_.widget(), &w.chkCustom_.widget(),
      &w.txtCusDir_.widget(), &w.optAnd_.widget(),   &w.optOr_.widget(),    &w.chkDated_.widget(),
      &w.cmbSep_.widget(),    &w.cmdReset_.widget(), &w.Command5_.widget(), &w.Command3_.widget()};
  std::vector<QWidget*> schedule{&w.Option3_.widget(),    &w.optAlways_.widget(),
                                 &w.MaskEdBox1_.widget(), &w.optEach_.widget(),
                                 &w.MaskEdBox2_.widget(), &w.optDaily_.widget()};
  for (std::size_t day : {1u, 2u, 3u, 4u, 5u, 6u, 0u})
    schedule.push_back(&w.chkDays_[day].widget());
  schedule.insert(schedule.end(), {&w.chkIncr_.widget(), &w.chkLog_.widget(), &w.Command4_.widget(),
                                   &w.cmdBakNow_.widget()});
  EXPECT_EQ(tabStops(w.xt2_.widget(), sources.front()), sources);
  EXPECT_EQ(tabStops(w.xt3_.widget(), destination.front()), destination);
  EXPECT_EQ(tabStops(w.xt4_.widget(), schedule.front()), schedule);
}

TEST_F(MainWindowTest, TheWindowKeepsItsSizeAndOffersNoMaximise) {
  ui::frmMain& w = makeWindow();
  w.show();
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_EQ(w.size(), w.minimumSize());
  EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  w.resize(w.width() + 200, w.height() + 100);
  EXPECT_EQ(w.size(), w.minimumSize());
}

}  // namespace
}  // namespace ferrowick::testing
