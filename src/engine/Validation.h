#pragma once

namespace ferrowick::engine {

struct EngineContext;

// The check of the main window's settings before they are saved as a schedule.
class Validation {
 public:
  explicit Validation(EngineContext& context);

  // True when a problem was found (and shown) or the user declined: nothing may be
  // saved. False when the settings may be saved. At most one message per call.
  bool CheckSettings();

 private:
  EngineContext& ctx_;
};

}  // namespace ferrowick::engine
