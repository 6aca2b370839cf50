#include <gtest/gtest.h>

#include <vector>

#include "MainWindowFixture.h"

namespace ferrowick::testing {
namespace {

std::vector<std::string> itemsOf(runtime::ComboBox& box) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < box.count(); ++i) items.push_back(box.item(i));
  return items;
}

TEST_F(MainWindowTest, LoadSetsCaptionsFromTheLanguageTable) {
  ui::frmMain& w = makeWindow();

  // Side links and the pages they open carry the same texts.
  const std::vector<std::pair<int, runtime::Page*>> titled{
      {1, &w.xt1()}, {2, &w.xt2()}, {5, &w.xt3()}, {4, &w.xt4()}, {3, &w.xt5()}};
  int index = 237;
  for (const auto& [link, page] : titled) {
    EXPECT_EQ(w.Hyperlink(link).caption(), text(index));
    EXPECT_EQ(page->title(), text(index));
    ++index;
  }
  EXPECT_EQ(w.Hyperlink7_.caption(), text(242));
  EXPECT_EQ(w.Hyperlink6_.caption(), text(222));

  // Sunday is box 1 and takes the last weekday text.
  EXPECT_EQ(w.chkDays_[0].caption(), text(273));
  for (int day = 2; day <= 7; ++day) {
    EXPECT_EQ(w.chkDays_[static_cast<std::size_t>(day - 1)].caption(), text(265 + day));
  }

  EXPECT_EQ(w.Command6_.caption(), text(252));
  EXPECT_EQ(w.Command3_.caption(), text(252));
  EXPECT_EQ(w.Command5_.caption(), text(276));
  EXPECT_EQ(w.Command4_.caption(), text(276));
  EXPECT_EQ(w.lblAlwaysTime(0).caption(), text(261));
  EXPECT_EQ(w.lblAlwaysTime(1).caption(), text(261));
  EXPECT_EQ(w.Frame1_.caption(), text(281));
  EXPECT_EQ(w.Frame2_.caption(), text(262));
  EXPECT_EQ(w.optAnd_.caption(), text(283));
  EXPECT_EQ(w.Option3_.caption(), text(258));
  EXPECT_EQ(w.cmdClrSoucre_.caption(), text(251));
  EXPECT_EQ(w.cmdLog_.caption(), text(288));
  EXPECT_EQ(w.Label10().caption(), text(256));
  EXPECT_EQ(w.Label7_.caption(), text(234));
  EXPECT_EQ(w.sprupd_.caption(), text(234));
  EXPECT_EQ(w.mnuFile_.caption(), text(224));
  EXPECT_EQ(w.mnuHelp_.caption(), text(229));
  EXPECT_EQ(w.mnuEnd_.caption(), text(222));
  EXPECT_EQ(w.mnuQuit_.caption(), text(222));
  EXPECT_EQ(w.Label5_.caption(), text(135));
  EXPECT_EQ(w.Label9_.caption(), text(119) + " 1.20");
  EXPECT_EQ(w.Label16_.caption(), text(255));
  EXPECT_EQ(w.chkServ_.caption(), text(227));
  // Nothing the load sets touches the status lines of a run.
  EXPECT_EQ(w.Label11().caption(), "");
}

TEST_F(MainWindowTest, MissingTextsLeaveCaptionsEmpty) {
  lang.setText(239, "");
  lang.setText(119, "");
  ui::frmMain& w = makeWindow();
  EXPECT_EQ(w.Hyperlink5_.caption(), "");
  EXPECT_EQ(w.xt3().title(), "");
  EXPECT_EQ(w.Label9_.caption(), " 1.20");
}

TEST_F(MainWindowTest, LoadFillsTheChoiceListsAndChoosesStoredLanguageAndNoSeparator) {
  storeLanguage("Polish");
  ui::frmMain& w = makeWindow(false);
  std::vector<std::string> separators;
  w.cmbSep_.onChange = [&] { separators.push_back(w.cmbSep().text()); };
  w.Form_Load();
  EXPECT_EQ(itemsOf(w.optLang_), (std::vector<std::string>{"English", "Polish", "Deutsch"}));
  EXPECT_EQ(w.optLang_.text(), "Polish");
  EXPECT_EQ(itemsOf(w.cmbSep()), (std::vector<std::string>{"Space", "-", "None"}));
  // Chosen once, with its change handling, as a user's pick would be.
  EXPECT_EQ(separators, (std::vector<std::string>{"None"}));
}

TEST_F(MainWindowTest, StoredLanguageThatIsNoItemLeavesTheChoiceEmpty) {
  storeLanguage("Klingon");
  EXPECT_EQ(makeWindow().optLang_.text(), "");
  EXPECT_EQ(window->optLang_.count(), 3u);
}

}  // namespace
}  // namespace ferrowick::testing
