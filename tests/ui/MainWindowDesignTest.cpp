#include <gtest/gtest.h>

#include <QMenuBar>
#include <vector>

#include "MainWindowFixture.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

Strings captionsOf(const QMenu& menu) {
  Strings captions;
  for (const QAction* action : menu.actions()) {
    captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  }
  return captions;
}

TEST_F(MainWindowTest, ControlsHoldTheirDesignValuesAndHiddenOnesStayHidden) {
  ui::frmMain& w = makeWindow(false);
  EXPECT_EQ(w.form().caption(), "Ferrowick");
  EXPECT_EQ(pages(w), only(1, 5));
  EXPECT_EQ(bars(w), only(0, 7));
  std::vector<bool> options;
  for (auto* option : std::initializer_list<runtime::OptionButton*>{
           &w.Option3(), &w.optAlways(), &w.optEach(), &w.optDaily(), &w.optAnd(), &w.optOr(),
           &w.Option2_}) {
    options.push_back(option->value());
  }
  EXPECT_EQ(options, (std::vector<bool>{true, false, false, true, false, false, true}));
  std::vector<int> checks;
  for (auto* box : std::initializer_list<runtime::CheckBox*>{
           &w.chkIncSub_, &w.chkLog(), &w.chkIncr(), &w.chkCustom(), &w.chkDated(), &w.chkServ()}) {
    checks.push_back(box->value());
  }
  for (int day = 1; day <= 7; ++day) checks.push_back(w.chkDays(day).value());
  EXPECT_EQ(checks, (std::vector<int>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(w.cmdExclude_.enabled() || w.Frame1_.enabled());
  EXPECT_FALSE(w.txtCusDir_.widget().isEnabled());  // inside the disabled frame
  EXPECT_EQ((Strings{w.txtSelected_.text(), w.txtSelected2().text(), w.txtDest().text(),
                     w.MaskEdBox1().text(), w.MaskEdBox2().text()}),
            (Strings{"/", "/", "", "__:__", "__:__"}));
  EXPECT_EQ(w.lstSource().count() + w.cmbSep().count(), 0u);
  EXPECT_TRUE(w.Timer2_.enabled() && !w.Timer3_.enabled());
  EXPECT_EQ(w.Timer2_.interval(), 10);
  EXPECT_EQ(w.Timer3_.interval(), 1000);

  // Hidden and read-only controls stay so when the window and their pages show.
  w.Form_Load();
  w.show();
  w.Hyperlink2_Click();
  w.Hyperlink5_Click();
  for (QWidget* hidden : std::initializer_list<QWidget*>{
           &w.txtStart_.widget(), &w.txtSelected2_.widget(), &w.driveSource_.widget(),
           &w.Option1_.widget(), &w.Text1_.widget(), &w.Command2_.widget(), &w.Label2_.widget()}) {
    EXPECT_FALSE(hidden->isVisible()) << hidden->metaObject()->className();
  }
  EXPECT_TRUE(w.Option2_.widget().isVisible() && w.txtDest_.widget().isVisible());
  EXPECT_TRUE(w.txtDest_.widget().isReadOnly() && w.txtSelected2_.widget().isReadOnly());
  EXPECT_FALSE(w.txtCusDir_.widget().isReadOnly());
}

TEST_F(MainWindowTest, OptionGroupsFollowTheirContainersAndArraysTheirIndexes) {
  ui::frmMain& w = makeWindow();
  Strings clicks;
  w.optAlways_.onClick = [&] { clicks.push_back("optAlways"); };
  w.optDaily_.onClick = [&] { clicks.push_back("optDaily"); };
  w.optAnd_.onClick = [&] { clicks.push_back("optAnd"); };
  w.Option2_.onClick = [&] { clicks.push_back("Option2"); };
  w.optAlways().setValue(true);
  EXPECT_FALSE(w.Option3().value());
  EXPECT_TRUE(w.optDaily().value());  // alone in its own picture box
  w.optEach().setValue(true);
  EXPECT_FALSE(w.optAlways().value());
  w.optAnd().setValue(true);
  EXPECT_TRUE(w.Option2_.value());  // the naming pair is a group of its own
  w.optOr().setValue(true);
  EXPECT_FALSE(w.optAnd().value());
  EXPECT_TRUE(w.optEach().value());
  w.optDaily().setValue(false);  // cleared from code: no click, no partner selected
  EXPECT_FALSE(w.optDaily().value());
  w.optDaily().setValue(true);
  EXPECT_EQ(clicks, (Strings{"optAlways", "optAnd", "optDaily"}));

  EXPECT_EQ(raisedError([&] { w.chkDays(0); }), runtime::Err::SubscriptOutOfRange);
  EXPECT_EQ(raisedError([&] { w.chkDays(8); }), runtime::Err::SubscriptOutOfRange);
  EXPECT_NE(raisedError([&] { w.lblAlwaysTime(2); }), 0);
  // Each weekday box is its own control.
  w.chkDays(1).setValue(runtime::CheckState::Checked);
  EXPECT_EQ(w.chkDays_[0].value(), runtime::CheckState::Checked);
  for (int day = 2; day <= 7; ++day) EXPECT_EQ(w.chkDays(day).value(), 0) << day;
}

TEST_F(MainWindowTest, PagesSidePanelAndMenusKeepTheirPlaces) {
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(w.centralWidget()->size(), QSize(625, 455));
  for (auto* page : {&w.xt1_, &w.xt2_, &w.xt3_, &w.xt4_, &w.xt5_}) {
    EXPECT_EQ(page->widget().geometry(), QRect(176, 72, 441, 353));
  }
  EXPECT_EQ(w.Image6_.widget().geometry(), QRect(8, 73, 162, 185));
  // Rows from the top hold links 1, 2, 5, 4, 3, 7, 6; bar zN frames row N.
  const int rows[] = {1, 2, 5, 4, 3, 7, 6};
  for (int row = 0; row < 7; ++row) {
    const QRect link = w.Hyperlink(rows[row]).widget().geometry();
    EXPECT_EQ(link.topLeft(), QPoint(40, 88 + 24 * row)) << rows[row];
    EXPECT_EQ(w.z(row + 1).widget().geometry(), QRect(8, link.top() - 4, 162, 23)) << row;
  }
  // From back to front: the panel picture, the bars, the links.
  const QObjectList& order = w.centralWidget()->children();
  EXPECT_LT(order.indexOf(&w.Image6_.widget()), order.indexOf(&w.z1_.widget()));
  EXPECT_LT(order.indexOf(&w.z7_.widget()), order.indexOf(&w.Hyperlink1_.widget()));

  // The tray menu is off the bar.
  EXPECT_EQ(w.menuBar()->actions(), (QList<QAction*>{&w.mnuFile_.action(), &w.mnuHelp_.action()}));
  EXPECT_EQ(captionsOf(*w.mnuFileMenu_), (Strings{text(225), "-", text(222)}));
  EXPECT_EQ(captionsOf(*w.mnuHelpMenu_),
            (Strings{text(232), text(233), "-", text(234), "-", text(235), "-", text(236)}));
  EXPECT_EQ(captionsOf(*w.mnuPopMenu_), (Strings{text(223), "-", text(222)}));
  EXPECT_EQ(w.s33_.caption() + w.ghj_.caption(), "--");
}

}  // namespace
}  // namespace ferrowick::testing
