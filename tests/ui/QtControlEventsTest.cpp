#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "runtime/RuntimeError.h"
#include "support/ListItems.h"
#include "support/qt/QtApplication.h"
#include "ui/host/controls/QtCheckBox.h"
#include "ui/host/controls/QtListBox.h"
#include "ui/host/controls/QtTextBox.h"

namespace ferrowick::ui {
namespace {

using Strings = std::vector<std::string>;
using runtime::Err::InvalidPropertyValue;
using testing::raisedError;

class QtControlEvents : public testing::QtTest {
 protected:
  QWidget window_;
};

TEST_F(QtControlEvents, TextFieldsReportEachChangeByCodeOrTypingAndShowLineBreaks) {
  QtTextBox first(&window_), second(&window_);
  Strings order;
  first.onChange = [&] {
    second.setText(first.text() + "!");  // runs the second's handler before going on
    order.push_back("first " + first.text());
  };
  second.onChange = [&] { order.push_back("second " + second.text()); };
  first.setText("a");
  first.setText("a");  // the same text is no change
  EXPECT_EQ(order, (Strings{"second a!", "first a"}));

  // Typing changes too; the masked field fills digits around its colon, rejects other shapes.
  QtMaskedEdit field(&window_);
  Strings typed;
  field.onChange = [&] { typed.push_back(field.text()); };
  field.widget().home(false);
  QTest::keyClicks(&field.widget(), "0945");
  field.setText("1_:__");
  EXPECT_EQ(raisedError([&] { field.setText("7:30"); }), InvalidPropertyValue);
  EXPECT_EQ(typed, (Strings{"0_:__", "09:__", "09:4_", "09:45", "1_:__"}));
}

TEST_F(QtControlEvents, ChecksClickOnEveryChange) {
  QtCheckBox box(&window_);
  using enum runtime::CheckState;
  std::vector<runtime::CheckState> seen;
  box.onClick = [&] { seen.push_back(box.value()); };
  for (const runtime::CheckState value : {Checked, Checked, Grayed}) box.setValue(value);
  EXPECT_EQ(raisedError([&] { box.setValue(static_cast<runtime::CheckState>(3)); }),
            InvalidPropertyValue);
  // A user's click on a greyed box ticks it, and clicks then toggle; none greys it again.
  for (int click = 0; click < 3; ++click) box.widget().click();
  EXPECT_EQ(seen, (std::vector<runtime::CheckState>{Checked, Grayed, Checked, Unchecked, Checked}));
}

TEST_F(QtControlEvents, ListsKeepOrderAndReportSelection) {
  QtListBox list(&window_, true, QAbstractItemView::ExtendedSelection);
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  for (const char* item : {"/b/*.*", "/A/*.*", "/a/*.*", "/C", "/B/*.*"}) list.addItem(item);
  EXPECT_EQ(testing::itemsOf(list), (Strings{"/A/*.*", "/a/*.*", "/b/*.*", "/B/*.*", "/C"}));
  // Selecting is a click; taking selected items out changes the selection but is none.
  list.setSelected(1, true);
  list.setSelected(3, true);
  list.removeItem(3);
  list.removeItem(1);
  EXPECT_EQ(list.item(1), "/b/*.*");
  list.setSelected(0, true);
  list.clear();
  EXPECT_EQ(clicks, 3);
}

}  // namespace
}  // namespace ferrowick::ui
