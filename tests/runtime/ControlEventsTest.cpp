#include <gtest/gtest.h>

#include "runtime/TestChecks.h"
#include "runtime/controls/MemoryControls.h"
#include "support/ListItems.h"

namespace ferrowick::runtime {
namespace {

using testing::itemsOf;

TEST(ControlEvents, TextChangeRunsNestedOnEveryRealChangeAndATimeFieldTakesOnlyItsShape) {
  MemoryTextBox first;
  MemoryMaskedEdit second;
  std::vector<std::string> order;
  first.onChange = [&] {
    order.push_back("first:" + first.text());
    second.setText(first.text() + ":__");
    order.push_back("first done");
  };
  second.onChange = [&] { order.push_back("second:" + second.text()); };
  EXPECT_EQ(second.text(), "__:__");  // the prompt, when empty
  first.setText("1_");
  first.setText("1_");  // unchanged text: no event
  EXPECT_EQ(order, (std::vector<std::string>{"first:1_", "second:1_:__", "first done"}));
  for (const char* bad : {"7:30", "ab:cd"})
    EXPECT_EQ(testing::raisedError([&] { second.setText(bad); }), Err::InvalidPropertyValue) << bad;
}

TEST(ControlEvents, OptionClicksOnlyWhenItBecomesSelectedAndACheckBoxOnEveryChange) {
  OptionGroup group;
  MemoryOptionButton a(group, true), b(group);
  MemoryCheckBox box;
  std::string clicks;
  a.onClick = [&] { clicks += 'a'; };
  b.onClick = [&] { clicks += 'b'; };
  box.onClick = [&] { clicks += 'x'; };
  b.setValue(true);  // clears the rest of the group, without a click
  b.setValue(true);  // already selected: no click
  b.setValue(false);
  EXPECT_FALSE(a.value() || b.value());
  using enum CheckState;
  for (const CheckState value : {Checked, Checked, Grayed, Unchecked}) box.setValue(value);
  EXPECT_EQ(clicks, "bxxx");
}

TEST(ControlEvents, SortedListKeepsCaseInsensitiveOrderAndABatchAddsAsOneByOne) {
  using Strings = std::vector<std::string>;
  MemoryListBox list(true);
  for (const char* item : {"/b/*.*", "/A/*.*", "/a/*.*", "/C", "/B/*.*"}) list.addItem(item);
  EXPECT_EQ(itemsOf(list), (Strings{"/A/*.*", "/a/*.*", "/b/*.*", "/B/*.*", "/C"}));

  const Strings batch = {"/a", "/B", "/b", "/C", "/a", "/", "\xc3\xa9", "E"};
  for (const bool sorted : {true, false}) {
    MemoryListBox single(sorted), bulk(sorted);
    for (auto* box : {&single, &bulk}) box->addItem("/b");
    for (const auto& item : batch) single.addItem(item);
    bulk.addItems(batch);
    EXPECT_EQ(itemsOf(bulk), itemsOf(single)) << "sorted " << sorted;
  }
}

}  // namespace
}  // namespace ferrowick::runtime
