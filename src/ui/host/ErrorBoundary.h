#pragma once

#include <exception>
#include <functional>
#include <string>

#include "runtime/Host.h"

namespace ferrowick::ui {

// Where the toolkit calls into the program, a failure no routine dealt with stops here: it
// is shown in a critical box (number, line feed, description) and the event loop goes on.
// A boundary reports through the message boxes it was given while it is the newest one
// alive; the one it replaced takes over again when it ends.
class ErrorBoundary {
 public:
  ErrorBoundary(runtime::MessageBoxes& boxes, std::string caption);
  ~ErrorBoundary();
  ErrorBoundary(const ErrorBoundary&) = delete;
  ErrorBoundary& operator=(const ErrorBoundary&) = delete;

  // Runs `work`; whatever it throws is reported by the current boundary instead of passed
  // on. True when `work` finished.
  static bool run(const std::function<void()>& work) noexcept;

 private:
  void report(std::exception_ptr error) const;

  runtime::MessageBoxes& boxes_;
  std::string caption_;
  ErrorBoundary* previous_;
};

}  // namespace ferrowick::ui
