#pragma once

#include <cstdint>

#include "engine/SystemMenu.h"

namespace ferrowick::engine {

// Locks the main window's close button: the system menu's Close item is greyed and no
// longer carries the close command, so the title-bar button and Alt+F4 do nothing. The
// window's own close paths (its menus and links) do not go through the system menu.
class CloseButtonLock {
 public:
  explicit CloseButtonLock(SystemMenu& menu) : menu_(menu) {}

  // Toggles the Close item's greyed state and moves the close command off it (or back).
  // A second call finds no item carrying the close command and changes nothing.
  void ToggleCloseButton();
  // Mode 1 swaps the item's identifier away from (or, when greyed, back to) the close
  // command; mode 2 the reverse. Returns 0 when the menu refused the change.
  int SetCloseItemId(int mode);

 private:
  static constexpr std::int32_t kSubstituteId = -10;

  bool greyed() const { return (CloseItemInfo.fState & MFS_GRAYED) == MFS_GRAYED; }

  SystemMenu& menu_;
  SystemMenu* SysMenuHandle = nullptr;
  MenuItemInfo CloseItemInfo;
};

}  // namespace ferrowick::engine
