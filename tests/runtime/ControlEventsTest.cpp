#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/TestChecks.h"
#include "runtime/controls/MemoryControls.h"

namespace ferrowick::runtime {
namespace {

TEST(ControlEvents, TextChangeRunsNestedOnEveryRealChange) {
  MemoryTextBox first;
  MemoryTextBox second;
  std::vector<std::string> order;
  first.onChange = [&] {
    order.push_back("first:" + first.text());
    second.setText(first.text() + "!");
    order.push_back("first done");
  };
  second.onChange = [&] { order.push_back("second:" + second.text()); };

  first.setText("a");
  first.setText("a");  // unchanged text: no event
  EXPECT_EQ(order, (std::vector<std::string>{"first:a", "second:a!", "first done"}));
}

TEST(ControlEvents, OptionClickOnlyWhenItBecomesSelected) {
  OptionGroup group;
  MemoryOptionButton a(group, true);
  MemoryOptionButton b(group);
  int clicksA = 0;
  int clicksB = 0;
  a.onClick = [&] { ++clicksA; };
  b.onClick = [&] { ++clicksB; };

  b.setValue(true);
  EXPECT_FALSE(a.value());  // selecting one clears the group, without a click
  b.setValue(true);         // already selected
  b.setValue(false);        // cleared from code
  EXPECT_EQ(clicksA, 0);
  EXPECT_EQ(clicksB, 1);
  EXPECT_FALSE(b.value());
}

TEST(ControlEvents, CheckClickOnEveryValueChange) {
  MemoryCheckBox box;
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(CheckState::Checked);
  box.setValue(CheckState::Checked);
  box.setValue(CheckState::Grayed);
  box.setValue(CheckState::Unchecked);
  EXPECT_EQ(clicks, 3);
  EXPECT_THROW(box.setValue(3), RuntimeError);
}

TEST(ControlEvents, MaskedFieldReadsPromptWhenEmptyAndRejectsOtherShapes) {
  MemoryMaskedEdit field;
  EXPECT_EQ(field.text(), "__:__");
  field.setText("07:30");
  EXPECT_EQ(field.text(), "07:30");
  field.setText("1_:__");
  EXPECT_EQ(field.text(), "1_:__");
  for (const char* bad : {"", "7:30", "07-30", "ab:cd", "07:300"}) {
    EXPECT_EQ(testing::errorOf([&] { field.setText(bad); }), Err::InvalidPropertyValue) << bad;
  }
  EXPECT_EQ(field.text(), "1_:__");
}

TEST(ControlEvents, SortedListKeepsCaseInsensitiveOrder) {
  MemoryListBox list(true);
  for (const char* item : {"/b/*.*", "/A/*.*", "/a/*.*", "/C", "/B/*.*"}) list.addItem(item);
  std::vector<std::string> items;
  for (std::size_t i = 0; i < list.count(); ++i) items.push_back(list.item(i));
  EXPECT_EQ(items, (std::vector<std::string>{"/A/*.*", "/a/*.*", "/b/*.*", "/B/*.*", "/C"}));
  EXPECT_THROW(list.item(5), RuntimeError);
}

}  // namespace
}  // namespace ferrowick::runtime
