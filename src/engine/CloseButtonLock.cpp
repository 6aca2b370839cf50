#include "engine/CloseButtonLock.h"

namespace ferrowick::engine {

void CloseButtonLock::ToggleCloseButton() {
  SysMenuHandle = &menu_;
  CloseItemInfo.fMask = MIIM_STATE;
  CloseItemInfo.wID = SC_CLOSE;
  // When the lookup fails the record keeps what it held.
  SysMenuHandle->GetMenuItemInfo(SC_CLOSE, CloseItemInfo);
  if (SetCloseItemId(1) == 0) return;

  const std::uint32_t before = CloseItemInfo.fState;
  if (greyed()) {
    CloseItemInfo.fState -= MFS_GRAYED;
  } else {
    CloseItemInfo.fState |= MFS_GRAYED;
  }
  CloseItemInfo.fMask = MIIM_STATE;
  if (!SysMenuHandle->SetMenuItemInfo(CloseItemInfo.wID, CloseItemInfo)) {
    // The state did not change: the identifier goes back to match it.
    CloseItemInfo.fState = before;
    SetCloseItemId(2);
  }
  SysMenuHandle->repaintCaption();
}

int CloseButtonLock::SetCloseItemId(int mode) {
  const std::int32_t old = CloseItemInfo.wID;
  const bool toClose = greyed() == (mode == 1);
  CloseItemInfo.wID = toClose ? SC_CLOSE : kSubstituteId;
  CloseItemInfo.fMask = MIIM_ID;
  const bool done = SysMenuHandle != nullptr && SysMenuHandle->SetMenuItemInfo(old, CloseItemInfo);
  if (!done) CloseItemInfo.wID = old;
  return done ? 1 : 0;
}

}  // namespace ferrowick::engine
