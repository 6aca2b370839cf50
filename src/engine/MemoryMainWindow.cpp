#include "engine/MemoryMainWindow.h"

#include "runtime/RuntimeError.h"

namespace ferrowick::engine {

MemoryMainWindow::MemoryMainWindow() { form_.setCaption("Ferrowick"); }

runtime::CheckBox& MemoryMainWindow::chkDays(int index) {
  if (index < 1 || index > 7) runtime::raise(runtime::Err::SubscriptOutOfRange);
  return chkDays_[static_cast<std::size_t>(index - 1)];
}

}  // namespace ferrowick::engine
