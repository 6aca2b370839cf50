#pragma once

#include "runtime/controls/Controls.h"
#include "ui/host/ErrorBoundary.h"

namespace ferrowick::ui {

// Every handler the toolkit starts runs inside the error boundary: nothing it throws
// reaches the event loop.
inline void fire(const runtime::Handler& handler) {
  if (handler) ErrorBoundary::fire(handler);
}

}  // namespace ferrowick::ui
