#pragma once

namespace ferrowick::engine {

struct EngineContext;

// What the check of the settings allows.
enum class Check {
  Stop,     // a problem was found and shown, or the user declined: nothing is saved
  MaySave,  // the settings may be saved
};

// The check of the main window's settings before they are saved as a schedule.
class Validation {
 public:
  explicit Validation(EngineContext& context);

  // At most one message per call.
  [[nodiscard]] Check CheckSettings();

 private:
  EngineContext& ctx_;
};

}  // namespace ferrowick::engine
