#pragma once

#include "runtime/Host.h"

namespace ferrowick::runtime {

// The busy pointer for the whole of an operation, however it ends.
class BusyScope {
 public:
  explicit BusyScope(BusyPointer& pointer) : pointer_(pointer) { pointer_.setBusy(true); }
  ~BusyScope() { pointer_.setBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyPointer& pointer_;
};

}  // namespace ferrowick::runtime
