#include <gtest/gtest.h>

#include <QMenuBar>
#include <algorithm>
#include <vector>

#include "MainWindowFixture.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::testing {
namespace {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;

std::vector<std::string> captionsOf(const QMenu& menu) {
  std::vector<std::string> captions;
  for (const QAction* action : menu.actions()) {
    captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  }
  return captions;
}

TEST_F(MainWindowTest, ControlsHoldTheirDesignValuesBeforeAnyLoad) {
  ui::frmMain& w = makeWindow(false);
  engine::MainWindowView& view = w;

  EXPECT_EQ(view.form().caption(), "Ferrowick");
  EXPECT_TRUE(view.xt1().visible());
  for (runtime::Page* page : {&view.xt2(), &view.xt3(), &view.xt4(), &view.xt5()}) {
    EXPECT_FALSE(page->visible());
  }
  for (int bar = 1; bar <= 7; ++bar) EXPECT_FALSE(w.z(bar).visible()) << bar;

  EXPECT_TRUE(view.Option3().value());
  EXPECT_FALSE(view.optAlways().value());
  EXPECT_FALSE(view.optEach().value());
  EXPECT_TRUE(view.optDaily().value());
  EXPECT_FALSE(view.optAnd().value());
  EXPECT_FALSE(view.optOr().value());
  EXPECT_TRUE(w.Option2_.value());
  EXPECT_EQ(w.chkIncSub_.value(), Checked);
  EXPECT_EQ(view.chkLog().value(), Checked);
  for (runtime::CheckBox* box : {&view.chkIncr(), &view.chkCustom(), &view.chkDated(),
                                 &view.chkServ()}) {
    EXPECT_EQ(box->value(), Unchecked);
  }
  for (int day = 1; day <= 7; ++day) EXPECT_EQ(view.chkDays(day).value(), Unchecked) << day;
  EXPECT_FALSE(w.cmdExclude_.enabled());
  EXPECT_FALSE(w.Frame1_.enabled());
  EXPECT_FALSE(w.txtCusDir_.widget().isEnabled());  // inside the disabled frame

  EXPECT_EQ(w.txtSelected_.text(), "/");
  EXPECT_EQ(view.txtSelected2().text(), "/");
  EXPECT_EQ(w.txtStart_.text(), "Start path to browse from");
  EXPECT_EQ(view.txtDest().text(), "");
  EXPECT_EQ(view.MaskEdBox1().text(), "__:__");
  EXPECT_EQ(view.MaskEdBox2().text(), "__:__");
  EXPECT_EQ(view.lstSource().count(), 0u);
  EXPECT_EQ(view.cmbSep().count(), 0u);
  EXPECT_EQ(w.Command1_.caption(), "...");

  EXPECT_EQ(w.Timer2_.interval(), 10);
  EXPECT_TRUE(w.Timer2_.enabled());
  EXPECT_EQ(w.Timer3_.interval(), 1000);
  EXPECT_FALSE(w.Timer3_.enabled());
}

TEST_F(MainWindowTest, HiddenAndReadOnlyControlsStaySoWhenTheWindowShows) {
  ui::frmMain& w = makeWindow();
  w.show();
  w.Hyperlink2_Click();
  w.Hyperlink5_Click();
  for (QWidget* hidden : {static_cast<QWidget*>(&w.txtStart_.widget()),
                          static_cast<QWidget*>(&w.txtSelected2_.widget()),
                          static_cast<QWidget*>(&w.driveSource_.widget()),
                          static_cast<QWidget*>(&w.Option1_.widget()),
                          static_cast<QWidget*>(&w.Text1_.widget()),
                          static_cast<QWidget*>(&w.Command2_.widget()),
                          static_cast<QWidget*>(&w.Label2_.widget())}) {
    EXPECT_FALSE(hidden->isVisible());
  }
  EXPECT_TRUE(w.Option2_.widget().isVisible());
  EXPECT_TRUE(w.txtDest_.widget().isVisible());
  EXPECT_TRUE(w.txtDest_.widget().isReadOnly());
  EXPECT_TRUE(w.txtSelected2_.widget().isReadOnly());
  EXPECT_FALSE(w.txtCusDir_.widget().isReadOnly());
}

TEST_F(MainWindowTest, OptionGroupsFollowTheirContainers) {
  ui::frmMain& w = makeWindow();
  engine::MainWindowView& view = w;
  std::vector<std::string> clicks;
  w.optAlways_.onClick = [&] { clicks.push_back("optAlways"); };
  w.optDaily_.onClick = [&] { clicks.push_back("optDaily"); };
  w.optAnd_.onClick = [&] { clicks.push_back("optAnd"); };
  w.Option2_.onClick = [&] { clicks.push_back("Option2"); };

  view.optAlways().setValue(true);
  EXPECT_FALSE(view.Option3().value());
  EXPECT_TRUE(view.optDaily().value());  // alone in its own picture box
  view.optEach().setValue(true);
  EXPECT_FALSE(view.optAlways().value());

  view.optAnd().setValue(true);
  EXPECT_TRUE(w.Option2_.value());  // the naming pair is a group of its own
  view.optOr().setValue(true);
  EXPECT_FALSE(view.optAnd().value());
  EXPECT_TRUE(view.optEach().value());

  view.optDaily().setValue(false);  // cleared from code: no click, no partner selected
  EXPECT_FALSE(view.optDaily().value());
  view.optDaily().setValue(true);
  EXPECT_EQ(clicks, (std::vector<std::string>{"optAlways", "optAnd", "optDaily"}));
}

TEST_F(MainWindowTest, ControlArraysAnswerOnlyTheirIndexes) {
  ui::frmMain& w = makeWindow();
  for (int bad : {0, 8}) {
    try {
      w.chkDays(bad);
      ADD_FAILURE() << bad;
    } catch (const runtime::RuntimeError& e) {
      EXPECT_EQ(e.number(), runtime::Err::SubscriptOutOfRange);
    }
  }
  EXPECT_THROW(w.lblAlwaysTime(2), runtime::RuntimeError);
  // Each weekday box is its own control.
  w.chkDays(1).setValue(Checked);
  EXPECT_EQ(w.chkDays_[0].value(), Checked);
  for (int day = 2; day <= 7; ++day) EXPECT_EQ(w.chkDays(day).value(), Unchecked);
}

TEST_F(MainWindowTest, GeometryKeepsThePagesAndSidePanelInPlace) {
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(w.centralWidget()->size(), QSize(625, 455));
  const QRect pageRect(176, 72, 441, 353);
  for (auto* page : {&w.xt1_, &w.xt2_, &w.xt3_, &w.xt4_, &w.xt5_}) {
    EXPECT_EQ(page->widget().geometry(), pageRect);
  }
  EXPECT_EQ(w.Image6_.widget().geometry(), QRect(8, 73, 162, 185));

  // Rows from the top hold links 1, 2, 5, 4, 3, 7, 6; bar zN frames row N.
  const std::vector<int> rows{1, 2, 5, 4, 3, 7, 6};
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const QRect link = w.Hyperlink(rows[row]).widget().geometry();
    const QRect bar = w.z(static_cast<int>(row) + 1).widget().geometry();
    EXPECT_EQ(link.topLeft(), QPoint(40, 88 + 24 * static_cast<int>(row))) << rows[row];
    EXPECT_EQ(bar, QRect(8, link.top() - 4, 162, 23)) << row;
  }
  // From back to front: the panel picture, the bars, the links.
  const QObjectList& order = w.centralWidget()->children();
  auto position = [&](QWidget& widget) {
    return std::find(order.begin(), order.end(), &widget) - order.begin();
  };
  EXPECT_LT(position(w.Image6_.widget()), position(w.z1_.widget()));
  EXPECT_LT(position(w.z7_.widget()), position(w.Hyperlink1_.widget()));
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrderAndTheTrayMenuIsOffTheBar) {
  ui::frmMain& w = makeWindow();
  const QList<QAction*> bar = w.menuBar()->actions();
  ASSERT_EQ(bar.size(), 2);
  EXPECT_EQ(bar[0], &w.mnuFile_.action());
  EXPECT_EQ(bar[1], &w.mnuHelp_.action());
  EXPECT_EQ(captionsOf(*w.mnuFileMenu_), (std::vector<std::string>{text(225), "-", text(222)}));
  EXPECT_EQ(captionsOf(*w.mnuHelpMenu_),
            (std::vector<std::string>{text(232), text(233), "-", text(234), "-", text(235), "-",
                                      text(236)}));
  EXPECT_EQ(captionsOf(*w.mnuPopMenu_), (std::vector<std::string>{text(223), "-", text(222)}));
  EXPECT_EQ(w.s33_.caption(), "-");
  EXPECT_EQ(w.ghj_.caption(), "-");
}

}  // namespace
}  // namespace ferrowick::testing
