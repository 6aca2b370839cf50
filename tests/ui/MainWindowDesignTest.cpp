#include <gtest/gtest.h>

#include <QMenuBar>

#include "MainWindowFixture.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::testing {
namespace {

using Strings = std::vector<std::string>;

// The option buttons ("1" for selected), the check boxes and the weekday boxes, in turn.
std::string values(ui::frmMain& w) {
  std::string all;
  for (runtime::OptionButton* option : std::initializer_list<runtime::OptionButton*>{
           &w.Option3(), &w.optAlways(), &w.optEach(), &w.optDaily(), &w.optAnd(), &w.optOr(),
           &w.Option2_})
    all += std::to_string(option->value());
  for (runtime::CheckBox* box : std::initializer_list<runtime::CheckBox*>{
           &w.chkIncSub_, &w.chkLog(), &w.chkIncr(), &w.chkCustom(), &w.chkDated(), &w.chkServ()})
    all += std::to_string(box->value());
  for (int day = 1; day <= 7; ++day) all += std::to_string(w.chkDays(day).value());
  return all;
}

TEST_F(MainWindowTest, TheWindowKeepsItsDesignValuesOptionGroupsLayoutAndMenus) {
  ui::frmMain& w = makeWindow(false);
  EXPECT_EQ(w.form().caption(), "Ferrowick");
  EXPECT_EQ(values(w), "1001001" + std::string("110000") + "0000000");
  EXPECT_FALSE(w.cmdExclude_.enabled() || w.Frame1_.enabled() || w.txtCusDir_.widget().isEnabled());
  EXPECT_EQ((Strings{w.txtSelected_.text(), w.txtSelected2().text(), w.txtDest().text(),
                     w.MaskEdBox1().text(), w.MaskEdBox2().text()}),
            (Strings{"/", "/", "", "__:__", "__:__"}));
  EXPECT_TRUE(w.Timer2_.enabled() && !w.Timer3_.enabled());

  // Hidden and read-only controls stay so through the load.
  w.Form_Load();
  for (QWidget* hidden : std::initializer_list<QWidget*>{
           &w.txtStart_.widget(), &w.txtSelected2_.widget(), &w.driveSource_.widget(),
           &w.Option1_.widget(), &w.Text1_.widget(), &w.Command2_.widget(), &w.Label2_.widget()})
    EXPECT_TRUE(hidden->isHidden()) << hidden->metaObject()->className();
  EXPECT_TRUE(w.txtDest_.widget().isReadOnly() && w.txtSelected2_.widget().isReadOnly() &&
              !w.txtCusDir_.widget().isReadOnly());

  // optDaily and the naming pair are groups of their own; code may clear an option.
  std::vector<ui::QtOptionButton*> clicks;
  for (auto* option : {&w.optAlways_, &w.optDaily_, &w.optAnd_, &w.Option2_})
    option->onClick = [&clicks, option] { clicks.push_back(option); };
  w.optAlways().setValue(true);
  w.optAnd().setValue(true);
  EXPECT_EQ(values(w).substr(0, 7), "0101101");
  w.optDaily().setValue(false);
  EXPECT_EQ(values(w).substr(0, 7), "0100101");
  w.optDaily().setValue(true);
  EXPECT_EQ(clicks, (std::vector<ui::QtOptionButton*>{&w.optAlways_, &w.optAnd_, &w.optDaily_}));

  for (int day : {0, 8})
    EXPECT_EQ(raisedError([&] { w.chkDays(day); }), runtime::Err::SubscriptOutOfRange);
  w.chkDays(1).setValue(runtime::CheckState::Checked);  // chkDays counts from 1
  EXPECT_EQ(values(w).substr(13) + std::to_string(w.chkDays_[0].value()), "10000001");

  EXPECT_EQ(w.centralWidget()->size(), QSize(625, 455));
  for (auto* page : {&w.xt1_, &w.xt2_, &w.xt3_, &w.xt4_, &w.xt5_})
    EXPECT_EQ(page->widget().geometry(), QRect(176, 72, 441, 353));
  EXPECT_EQ(w.Image6_.widget().geometry(), QRect(8, 73, 162, 185));
  // Rows from the top hold links 1, 2, 5, 4, 3, 7, 6; bar zN frames row N.
  const int rows[] = {1, 2, 5, 4, 3, 7, 6};
  for (int row = 0; row < 7; ++row) {
    EXPECT_EQ(w.Hyperlink(rows[row]).widget().pos(), QPoint(40, 88 + 24 * row)) << row;
    EXPECT_EQ(w.z(row + 1).widget().geometry(), QRect(8, 84 + 24 * row, 162, 23)) << row;
  }
  // From back to front: the panel picture, the bars, the links.
  const QObjectList& order = w.centralWidget()->children();
  EXPECT_TRUE(order.indexOf(&w.Image6_.widget()) < order.indexOf(&w.z1_.widget()) &&
              order.indexOf(&w.z7_.widget()) < order.indexOf(&w.Hyperlink1_.widget()));

  // The menus' items, "-" for a separator; the tray menu is off the bar.
  EXPECT_EQ(w.menuBar()->actions(), (QList<QAction*>{&w.mnuFile_.action(), &w.mnuHelp_.action()}));
  std::string menus;
  for (const QMenu* menu : {w.mnuFileMenu_, w.mnuHelpMenu_, w.mnuPopMenu_}) {
    for (const QAction* action : menu->actions())
      menus += (action->isSeparator() ? "-" : action->text().toStdString()) + ",";
    menus += " | ";
  }
  EXPECT_EQ(menus,
            "text 225,-,text 222, | text 232,text 233,-,text 234,-,text 235,-,text 236, | "
            "text 223,-,text 222, | ");
}

}  // namespace
}  // namespace ferrowick::testing
