#include "engine/SystemMenu.h"

#include <algorithm>

namespace ferrowick::engine {

SystemMenu::SystemMenu() : items_{{"Minimize", SC_MINIMIZE}, {"Close", SC_CLOSE}} {}

SystemMenu::Item* SystemMenu::find(std::int32_t id) {
  const auto it =
      std::find_if(items_.begin(), items_.end(), [id](const Item& item) { return item.id == id; });
  return it == items_.end() ? nullptr : &*it;
}

bool SystemMenu::GetMenuItemInfo(std::int32_t id, MenuItemInfo& info) const {
  Item* item = const_cast<SystemMenu*>(this)->find(id);
  if (item == nullptr) return false;
  if ((info.fMask & MIIM_STATE) != 0) info.fState = item->state;
  if ((info.fMask & MIIM_ID) != 0) info.wID = item->id;
  return true;
}

bool SystemMenu::SetMenuItemInfo(std::int32_t id, const MenuItemInfo& info) {
  Item* item = find(id);
  if (item == nullptr) return false;
  if ((info.fMask & MIIM_STATE) != 0) item->state = info.fState;
  if ((info.fMask & MIIM_ID) != 0) item->id = info.wID;
  return true;
}

void SystemMenu::repaintCaption() const {
  if (onRepaint) onRepaint();
}

bool SystemMenu::closeAllowed() const {
  return std::any_of(items_.begin(), items_.end(), [](const Item& item) {
    return item.id == SC_CLOSE && (item.state & MFS_GRAYED) != MFS_GRAYED;
  });
}

}  // namespace ferrowick::engine
