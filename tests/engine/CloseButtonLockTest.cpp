#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/CloseButtonLock.h"

namespace ferrowick::engine {
namespace {

using Items = std::vector<std::pair<std::int32_t, std::uint32_t>>;  // id, state

Items itemsOf(const SystemMenu& menu) {
  Items items;
  for (const auto& item : menu.items()) items.emplace_back(item.id, item.state);
  return items;
}

TEST(CloseButtonLock, LockGreysTheCloseItemAndTakesTheCloseCommandOffIt) {
  SystemMenu menu;
  int repaints = 0;
  menu.onRepaint = [&] { ++repaints; };
  CloseButtonLock lock(menu);
  ASSERT_TRUE(menu.closeAllowed());

  lock.ToggleCloseButton();
  const Items locked{{SC_MINIMIZE, 0}, {-10, MFS_GRAYED}};
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
  CloseButtonLock lock(menu);
  lock.ToggleCloseButton();
  EXPECT_EQ(itemsOf(menu), (Items{{SC_MINIMIZE, 0}, {SC_CLOSE, 0}}));
  EXPECT_TRUE(menu.closeAllowed());
}

}  // namespace
}  // namespace ferrowick::engine
