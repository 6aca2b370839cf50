#pragma once

#include <functional>

namespace ferrowick::testing {

// The number of the run-time error `action` raises; 0 when it raises none.
int raisedError(const std::function<void()>& action);

}  // namespace ferrowick::testing
