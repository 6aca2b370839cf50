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

using Strings = std::vector<std::string>;
using testing::raisedError;

class QtControlEvents : public testing::QtTest {
 protected:
  void SetUp() override {
    window_.resize(400, 300);
    window_.show();
  }
  // A click on the box of a check box or option placed at the top left of its parent.
  static void clickIndicator(QWidget& widget) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(8, 10));
  }
  QWidget window_;
};

TEST_F(QtControlEvents, TextFieldsReportEachChangeByCodeOrTyping) {
  QtTextBox first(&window_);
  QtTextBox second(&window_);
  Strings order;
  first.onChange = [&] {
    order.push_back("first:" + first.text());
    second.setText(first.text() + "!");
    order.push_back("first done");
  };
  second.onChange = [&] { order.push_back("second:" + second.text()); };
  first.setText("a");
  first.setText("a");  // the same text is no change
  first.widget().setFocus();
  QTest::keyClicks(&first.widget(), "b");
  EXPECT_EQ(order, (Strings{"first:a", "second:a!", "first done", "first:ab", "second:ab!",
                            "first done"}));

  // The masked field reads its prompt when empty and rejects other shapes.
  QtMaskedEdit field(&window_);
  Strings seen;
  field.onChange = [&] { seen.push_back(field.text()); };
  EXPECT_EQ(field.text(), "__:__");
  field.setText("07:30");
  field.setText("1_:__");
  for (const char* bad : {"", "7:30", "07-30", "ab:cd", "07:300"}) {
    EXPECT_EQ(raisedError([&] { field.setText(bad); }), runtime::Err::InvalidPropertyValue) << bad;
  }
  EXPECT_EQ(field.text(), "1_:__");
  field.setText("__:__");
  // Typed digits fill the mask around its colon.
  field.widget().setFocus();
  field.widget().home(false);
  QTest::keyClicks(&field.widget(), "0945");
  EXPECT_EQ(seen, (Strings{"07:30", "1_:__", "__:__", "0_:__", "09:__", "09:4_", "09:45"}));
}

TEST_F(QtControlEvents, ChecksClickOnEveryChangeAndOptionsOnlyWhenSelected) {
  QtCheckBox box(&window_);
  box.widget().setGeometry(0, 0, 100, 20);
  std::vector<int> seen;
  box.onClick = [&] { seen.push_back(box.value()); };
  box.setValue(runtime::CheckState::Checked);
  box.setValue(runtime::CheckState::Checked);
  box.setValue(runtime::CheckState::Grayed);
  EXPECT_EQ(raisedError([&] { box.setValue(3); }), runtime::Err::InvalidPropertyValue);
  // A user's click on a greyed box ticks or unticks it; it never greys it again.
  for (int click = 0; click < 3; ++click) clickIndicator(box.widget());
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ((std::vector<int>{seen[0], seen[1]}), (std::vector<int>{1, 2}));
  for (std::size_t i = 2; i < seen.size(); ++i) EXPECT_NE(seen[i], 2);
  EXPECT_NE(seen[3], seen[4]);

  // Options group by container and click only when they become selected.
  QWidget page(&window_);
  QWidget picture(&page);
  QtOptionButton onlyNow(&page, true);
  QtOptionButton always(&page);
  QtOptionButton daily(&picture, true);
  onlyNow.widget().setGeometry(0, 0, 100, 20);
  page.show();
  Strings clicks;
  onlyNow.onClick = [&] { clicks.push_back("onlyNow"); };
  // The group is already settled when the handler runs.
  always.onClick = [&] { clicks.push_back(onlyNow.value() ? "always with onlyNow" : "always"); };
  daily.onClick = [&] { clicks.push_back("daily"); };

  always.setValue(true);
  EXPECT_TRUE(always.value() && !onlyNow.value());
  EXPECT_TRUE(daily.value());  // another container, another group
  always.setValue(true);       // already selected
  always.setValue(false);      // cleared from code: the group may end up empty
  EXPECT_FALSE(always.value() || onlyNow.value());
  daily.setValue(false);
  EXPECT_FALSE(daily.value());
  clickIndicator(onlyNow.widget());
  clickIndicator(onlyNow.widget());  // already selected
  EXPECT_TRUE(onlyNow.value());
  EXPECT_EQ(clicks, (Strings{"always", "onlyNow"}));
}

TEST_F(QtControlEvents, ListsKeepOrderAndReportSelectionOrChoice) {
  QtListBox list(&window_, true, QAbstractItemView::ExtendedSelection);
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  for (const char* item : {"/b/*.*", "/A/*.*", "/a/*.*", "/C", "/B/*.*"}) list.addItem(item);
  Strings items;
  for (std::size_t i = 0; i < list.count(); ++i) items.push_back(list.item(i));
  EXPECT_EQ(items, (Strings{"/A/*.*", "/a/*.*", "/b/*.*", "/B/*.*", "/C"}));
  EXPECT_EQ(raisedError([&] { list.item(5); }), runtime::Err::InvalidProcedureCall);

  list.setSelected(1, true);
  list.setSelected(3, true);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(list.selected(1) && !list.selected(2));
  // Taking selected items out changes the selection but is no click.
  list.removeItem(3);
  list.removeItem(1);
  EXPECT_EQ(list.count(), 3u);
  EXPECT_EQ(list.item(1), "/b/*.*");
  list.setSelected(0, true);
  list.clear();
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(list.count(), 0u);

  // The choice list chooses by text and reports each change.
  QtComboBox choice(&window_);
  Strings seen;
  choice.onChange = [&] { seen.push_back(choice.text()); };
  for (const char* item : {"Space", "-", "None"}) choice.addItem(item);
  EXPECT_EQ(choice.text(), "");  // adding items chooses none
  choice.setText("None");
  choice.setText("None");
  choice.widget().setCurrentIndex(1);  // as a pick from the list
  choice.setText("Klingon");           // names no item: nothing is chosen
  choice.setText("");
  EXPECT_EQ(seen, (Strings{"None", "-", ""}));
  EXPECT_EQ(choice.count(), 3u);
  EXPECT_EQ(choice.item(2), "None");
  EXPECT_EQ(raisedError([&] { choice.item(3); }), runtime::Err::InvalidProcedureCall);
}

TEST_F(QtControlEvents, PageFlagAndCaptionsReadBackAsSet) {
  QWidget hiddenWindow;
  QtPage page(&hiddenWindow, true);
  QtPage other(&hiddenWindow, false);
  // The window itself is not shown; the pages' own flags still read as set.
  EXPECT_TRUE(page.visible() && !other.visible());
  other.setVisible(true);
  page.setVisible(false);
  EXPECT_TRUE(other.visible() && !page.visible());
  page.setTitle("Line one\rLine two");
  EXPECT_EQ(page.title(), "Line one\rLine two");
  EXPECT_EQ(page.widget().title(), "Line one\nLine two");

  QtLabel label(&window_);
  label.setCaption("a\rb");
  EXPECT_EQ(label.caption() + "|" + label.widget().text().toStdString(), "a\rb|a\nb");
}

}  // namespace
}  // namespace ferrowick::ui
