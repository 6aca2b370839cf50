#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::testing {
namespace {

// "1" for each selected option: Option3, optAlways, optEach, optDaily, optAnd, optOr, Option2.
std::string options(ui::frmMain& w) {
  std::string all;
  for (runtime::OptionButton* option : std::initializer_list<runtime::OptionButton*>{
           &w.Option3(), &w.optAlways(), &w.optEach(), &w.optDaily(), &w.optAnd(), &w.optOr(),
           &w.Option2_})
    all += std::to_string(option->value());
  return all;
}

// optDaily and the naming pair are groups of their own; code may clear an option, and only
// a newly selected option reports a click.
TEST_F(MainWindowTest, OptionGroupsAreSeparateAndWeekdayBoxesCountFromOne) {
  ui::frmMain& w = makeWindow(false);
  EXPECT_EQ(options(w), "1001001");
  std::vector<ui::QtOptionButton*> clicks;
  for (auto* option : {&w.optAlways_, &w.optDaily_, &w.optAnd_, &w.Option2_})
    option->onClick = [&clicks, option] { clicks.push_back(option); };
  w.optAlways().setValue(true);
  w.optAnd().setValue(true);
  EXPECT_EQ(options(w), "0101101");
  w.optDaily().setValue(false);
  EXPECT_EQ(options(w), "0100101");
  w.optDaily().setValue(true);
  EXPECT_EQ(clicks, (std::vector<ui::QtOptionButton*>{&w.optAlways_, &w.optAnd_, &w.optDaily_}));

  for (int day : {0, 8})
    EXPECT_EQ(raisedError([&] { w.chkDays(day); }), runtime::Err::SubscriptOutOfRange);
  w.chkDays(1).setValue(runtime::CheckState::Checked);
  EXPECT_EQ(w.chkDays_[0].value(), runtime::CheckState::Checked);
  EXPECT_EQ(w.chkDays(2).value(), runtime::CheckState::Unchecked);
}

}  // namespace
}  // namespace ferrowick::testing
