#pragma once

#include "runtime/controls/Controls.h"

namespace ferrowick::ui {

inline void fire(const runtime::Handler& handler) {
  if (handler) handler();
}

}  // namespace ferrowick::ui
