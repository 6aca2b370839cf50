#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ferrowick::engine {

// Command identifiers and item states of a window's system menu.
inline constexpr std::int32_t SC_MINIMIZE = 0xF020;
inline constexpr std::int32_t SC_CLOSE = 0xF060;
inline constexpr std::uint32_t MIIM_STATE = 1;
inline constexpr std::uint32_t MIIM_ID = 2;
inline constexpr std::uint32_t MFS_GRAYED = 3;

// What a menu-item query reads and an update writes: the fields `fMask` names.
struct MenuItemInfo {
  std::uint32_t fMask = 0;
  std::uint32_t fState = 0;
  std::int32_t wID = 0;
};

// A window's system menu: its items addressed by command identifier. The window honours
// a close request (title-bar button, Alt+F4) only while an enabled item carries the
// close command, and follows the menu with its close button when the caption repaints.
class SystemMenu {
 public:
  struct Item {
    std::string text;
    std::int32_t id;
    std::uint32_t state = 0;
  };

  SystemMenu();

  // Reads the item with command `id` into `info` (the fields `info.fMask` names); false
  // and `info` untouched when no item carries it.
  bool GetMenuItemInfo(std::int32_t id, MenuItemInfo& info) const;
  // Writes the fields `info.fMask` names into the item with command `id`; false when no
  // item carries it.
  bool SetMenuItemInfo(std::int32_t id, const MenuItemInfo& info);
  // Repaints the caption bar: the window's close button follows the menu.
  void repaintCaption() const;

  // True while an enabled item carries the close command.
  bool closeAllowed() const;
  const std::vector<Item>& items() const { return items_; }

  // Runs on every caption repaint.
  std::function<void()> onRepaint;

 private:
  Item* find(std::int32_t id);
  std::vector<Item> items_;
};

}  // namespace ferrowick::engine
