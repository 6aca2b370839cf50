#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "QtApplication.h"
#include "runtime/RuntimeError.h"
#include "ui/host/controls/QtCheckBox.h"
#include "ui/host/controls/QtComboBox.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtListBox.h"
#include "ui/host/controls/QtOptionButton.h"
#include "ui/host/controls/QtPage.h"
#include "ui/host/controls/QtTextBox.h"

namespace ferrowick::ui {
namespace {

class QtControlEvents : public testing::QtTest {
 protected:
  void SetUp() override {
    window_.resize(400, 300);
    window_.show();
  }
  QWidget window_;
};

int errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const runtime::RuntimeError& e) {
    return e.number();
  }
  return 0;
}

TEST_F(QtControlEvents, TextChangeRunsNestedForCodeAndTyping) {
  QtTextBox first(&window_);
  QtTextBox second(&window_);
  std::vector<std::string> order;
  first.onChange = [&] {
    order.push_back("first:" + first.text());
    second.setText(first.text() + "!");
    order.push_back("first done");
  };
  second.onChange = [&] { order.push_back("second:" + second.text()); };

  first.setText("a");
  first.setText("a");  // the same text is no change
  EXPECT_EQ(order, (std::vector<std::string>{"first:a", "second:a!", "first done"}));

  order.clear();
  first.widget().setFocus();
  QTest::keyClicks(&first.widget(), "b");
  EXPECT_EQ(order, (std::vector<std::string>{"first:ab", "second:ab!", "first done"}));
}

TEST_F(QtControlEvents, MaskedFieldReadsPromptAndRejectsOtherShapes) {
  QtMaskedEdit field(&window_);
  int changes = 0;
  field.onChange = [&] { ++changes; };
  EXPECT_EQ(field.text(), "__:__");

  field.setText("07:30");
  EXPECT_EQ(field.text(), "07:30");
  field.setText("1_:__");
  EXPECT_EQ(field.text(), "1_:__");
  for (const char* bad : {"", "7:30", "07-30", "ab:cd", "07:300"}) {
    EXPECT_EQ(errorOf([&] { field.setText(bad); }), runtime::Err::InvalidPropertyValue) << bad;
  }
  EXPECT_EQ(field.text(), "1_:__");
  field.setText("__:__");
  EXPECT_EQ(field.text(), "__:__");
  EXPECT_EQ(changes, 3);

  // Typed digits fill the mask around its colon.
  field.widget().setFocus();
  field.widget().home(false);
  QTest::keyClicks(&field.widget(), "0945");
  EXPECT_EQ(field.text(), "09:45");
  EXPECT_EQ(changes, 7);
}

TEST_F(QtControlEvents, CheckClickOnEveryValueChangeByCodeOrUser) {
  QtCheckBox box(&window_);
  box.widget().setGeometry(0, 0, 100, 20);
  std::vector<int> seen;
  box.onClick = [&] { seen.push_back(box.value()); };

  box.setValue(runtime::CheckState::Checked);
  box.setValue(runtime::CheckState::Checked);
  box.setValue(runtime::CheckState::Grayed);
  EXPECT_EQ(errorOf([&] { box.setValue(3); }), runtime::Err::InvalidPropertyValue);
  // A user's click on a greyed box ticks or unticks it; it never greys it again.
  const QPoint indicator(8, 10);
  QTest::mouseClick(&box.widget(), Qt::LeftButton, {}, indicator);
  QTest::mouseClick(&box.widget(), Qt::LeftButton, {}, indicator);
  QTest::mouseClick(&box.widget(), Qt::LeftButton, {}, indicator);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ((std::vector<int>(seen.begin(), seen.begin() + 2)), (std::vector<int>{1, 2}));
  for (std::size_t i = 2; i < seen.size(); ++i) EXPECT_NE(seen[i], 2);
  EXPECT_NE(seen[3], seen[4]);
}

TEST_F(QtControlEvents, OptionsGroupByContainerAndClickOnlyWhenSelected) {
  QWidget page(&window_);
  QWidget picture(&page);
  QtOptionButton onlyNow(&page, true);
  QtOptionButton always(&page);
  QtOptionButton daily(&picture, true);
  onlyNow.widget().setGeometry(0, 0, 100, 20);
  always.widget().setGeometry(0, 30, 100, 20);
  page.show();
  std::vector<std::string> clicks;
  onlyNow.onClick = [&] { clicks.push_back("onlyNow"); };
  always.onClick = [&] {
    // The group is already settled when the handler runs.
    clicks.push_back(onlyNow.value() ? "always with onlyNow" : "always");
  };
  daily.onClick = [&] { clicks.push_back("daily"); };

  always.setValue(true);
  EXPECT_TRUE(always.value());
  EXPECT_FALSE(onlyNow.value());
  EXPECT_TRUE(daily.value());  // another container, another group
  always.setValue(true);       // already selected
  always.setValue(false);      // cleared from code: the group may end up empty
  EXPECT_FALSE(always.value());
  EXPECT_FALSE(onlyNow.value());
  daily.setValue(false);
  EXPECT_FALSE(daily.value());
  EXPECT_EQ(clicks, (std::vector<std::string>{"always"}));

  const QPoint indicator(8, 10);
  QTest::mouseClick(&onlyNow.widget(), Qt::LeftButton, {}, indicator);
  QTest::mouseClick(&onlyNow.widget(), Qt::LeftButton, {}, indicator);  // already selected
  EXPECT_TRUE(onlyNow.value());
  EXPECT_EQ(clicks, (std::vector<std::string>{"always", "onlyNow"}));
}

TEST_F(QtControlEvents, SortedListKeepsOrderAndClicksOnlyOnSelection) {
  QtListBox list(&window_, true, QAbstractItemView::ExtendedSelection);
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  for (const char* item : {"/b/*.*", "/A/*.*", "/a/*.*", "/C", "/B/*.*"}) list.addItem(item);
  std::vector<std::string> items;
  for (std::size_t i = 0; i < list.count(); ++i) items.push_back(list.item(i));
  EXPECT_EQ(items, (std::vector<std::string>{"/A/*.*", "/a/*.*", "/b/*.*", "/B/*.*", "/C"}));
  EXPECT_EQ(errorOf([&] { list.item(5); }), runtime::Err::InvalidProcedureCall);

  list.setSelected(1, true);
  list.setSelected(3, true);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(list.selected(1));
  EXPECT_FALSE(list.selected(2));
  // Taking selected items out changes the selection but is no click.
  list.removeItem(3);
  list.removeItem(1);
  EXPECT_EQ(list.count(), 3u);
  EXPECT_EQ(list.item(1), "/b/*.*");
  list.setSelected(0, true);
  list.clear();
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(list.count(), 0u);
}

TEST_F(QtControlEvents, ChoiceListChoosesByTextAndReportsEachChange) {
  QtComboBox choice(&window_);
  std::vector<std::string> seen;
  choice.onChange = [&] { seen.push_back(choice.text()); };
  choice.addItem("Space");
  choice.addItem("-");
  choice.addItem("None");
  EXPECT_EQ(choice.text(), "");  // adding items chooses none
  EXPECT_TRUE(seen.empty());

  choice.setText("None");
  choice.setText("None");
  choice.widget().setCurrentIndex(1);  // as a pick from the list
  choice.setText("Klingon");           // names no item: nothing is chosen
  choice.setText("");
  EXPECT_EQ(seen, (std::vector<std::string>{"None", "-", ""}));
  EXPECT_EQ(choice.count(), 3u);
  EXPECT_EQ(choice.item(2), "None");
  EXPECT_EQ(errorOf([&] { choice.item(3); }), runtime::Err::InvalidProcedureCall);
}

TEST_F(QtControlEvents, PageFlagAndCaptionsReadBackAsSet) {
  QWidget hiddenWindow;
  QtPage page(&hiddenWindow, true);
  QtPage other(&hiddenWindow, false);
  // The window itself is not shown; the pages' own flags still read as set.
  EXPECT_TRUE(page.visible());
  EXPECT_FALSE(other.visible());
  other.setVisible(true);
  page.setVisible(false);
  EXPECT_TRUE(other.visible());
  EXPECT_FALSE(page.visible());
  page.setTitle("Line one\rLine two");
  EXPECT_EQ(page.title(), "Line one\rLine two");
  EXPECT_EQ(page.widget().title(), "Line one\nLine two");

  QtLabel label(&window_);
  label.setCaption("a\rb");
  EXPECT_EQ(label.caption(), "a\rb");
  EXPECT_EQ(label.widget().text(), "a\nb");
}

}  // namespace
}  // namespace ferrowick::ui
