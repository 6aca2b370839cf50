#pragma once

#include <functional>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

// The number of the run-time error that `action` raises; 0 when it raises none.
inline int errorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace ferrowick::runtime
