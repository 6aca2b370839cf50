#include "support/RaisedError.h"

#include "runtime/RuntimeError.h"

namespace ferrowick::testing {

int raisedError(const std::function<void()>& action) {
  try {
    action();
  } catch (const runtime::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace ferrowick::testing
