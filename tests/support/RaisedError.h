#pragma once

#include <functional>

#include "runtime/RuntimeError.h"

namespace ferrowick::testing {

// The number of the run-time error `action` raises; 0 when it raises none.
inline int raisedError(const std::function<void()>& action) {
  try {
    action();
  } catch (const runtime::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace ferrowick::testing
