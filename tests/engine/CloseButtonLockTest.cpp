#include <gtest/gtest.h>

#include <vector>

#include "engine/CloseButtonLock.h"

namespace ferrowick::engine {
namespace {

struct ItemState {
  std::int32_t id;
  std::uint32_t state;
  bool operator==(const ItemState&) const = default;
};

std::vector<ItemState> itemsOf(const SystemMenu& menu) {
  std::vector<ItemState> items;
  for (const auto& item : menu.items()) items.push_back({item.id, item.state});
  return items;
}

TEST(CloseButtonLock, LockGreysTheCloseItemAndTakesTheCloseCommandOffIt) {
  SystemMenu menu;
  int repaints = 0;
  menu.onRepaint = [&] { ++repaints; };
  CloseButtonLock lock(menu);
  ASSERT_TRUE(menu.closeAllowed());

  lock.ToggleCloseButton();
  const std::vector<ItemState> locked{{SC_MINIMIZE, 0}, {-10, MFS_GRAYED}};
  EXPECT_EQ(itemsOf(menu), locked);
  EXPECT_FALSE(menu.closeAllowed());
  EXPECT_EQ(repaints, 1);

  // No item carries the close command any more: a second call changes nothing.
  lock.ToggleCloseButton();
  EXPECT_EQ(itemsOf(menu), locked);
  EXPECT_FALSE(menu.closeAllowed());
  EXPECT_EQ(repaints, 1);
}

TEST(CloseButtonLock, ToggleUnlocksACloseItemThatWasGreyed) {
  SystemMenu menu;
  menu.SetMenuItemInfo(SC_CLOSE, MenuItemInfo{MIIM_STATE, MFS_GRAYED, 0});
  ASSERT_FALSE(menu.closeAllowed());
  CloseButtonLock lock(menu);
  lock.ToggleCloseButton();
  EXPECT_EQ(itemsOf(menu), (std::vector<ItemState>{{SC_MINIMIZE, 0}, {SC_CLOSE, 0}}));
  EXPECT_TRUE(menu.closeAllowed());
}

}  // namespace
}  // namespace ferrowick::engine
