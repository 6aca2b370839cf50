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

TEST(CloseButtonLock, LockGreysTheCloseItemOnceAndUnlocksAGreyedOne) {
  SystemMenu menu;
  CloseButtonLock lock(menu);
  lock.ToggleCloseButton();
  lock.ToggleCloseButton();  // no item carries the close command any more
  EXPECT_EQ(itemsOf(menu), (Items{{SC_MINIMIZE, 0}, {-10, MFS_GRAYED}}));
  EXPECT_FALSE(menu.closeAllowed());

  SystemMenu greyed;
  greyed.SetMenuItemInfo(SC_CLOSE, MenuItemInfo{MIIM_STATE, MFS_GRAYED, 0});
  CloseButtonLock(greyed).ToggleCloseButton();
  EXPECT_TRUE(greyed.closeAllowed());
}

}  // namespace
}  // namespace ferrowick::engine
