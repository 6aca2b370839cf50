#pragma once

#include <filesystem>
#include <string>

#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

// Tells a second running copy of the program from the first: a lock file held with
// flock for the life of this object, which the program keeps for the life of the
// process. The system releases the lock when the process ends, however it ends.
class InstanceLock {
 public:
  // Takes the lock file `name` in `folder`.
  InstanceLock(const std::filesystem::path& folder, const std::string& name);
  // The program's lock: "<title>.lock" in $XDG_RUNTIME_DIR, or, without one, in the
  // temporary folder with the user's id in the name (that folder is shared).
  static InstanceLock forProgram(const std::string& title);

  ~InstanceLock();
  InstanceLock(InstanceLock&& other) noexcept;
  InstanceLock& operator=(InstanceLock&&) = delete;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when another copy held the lock when this one tried to take it.
  bool previousInstance() const noexcept { return previousInstance_; }
  // True while this object holds the lock. A lock file that cannot be created leaves
  // both false: the program cannot tell and starts.
  bool held() const noexcept { return fd_.valid(); }

 private:
  UniqueFd fd_;
  bool previousInstance_ = false;
};

}  // namespace ferrowick::runtime
