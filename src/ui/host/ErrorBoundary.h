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

  // Runs an event handler. A handler started by a toolkit call that program code makes
  // through `fromCode` (a property set inside another handler, or before the event loop
  // runs) passes its failure on to that code; any other stops its own failure, which
  // thrown would unwind through the toolkit's code.
  static void fire(const std::function<void()>& handler);

  // Makes a toolkit call for program code. A failure of a handler the call starts is held
  // until the toolkit returns and then thrown here, so it reaches the code without
  // passing through the toolkit.
  static void fromCode(const std::function<void()>& toolkitCall);

  // One toolkit call in progress for program code.
  struct CodeCall;

  // Marks the toolkit delivering one event, so that the handlers it starts, even inside a
  // toolkit call program code is making, stop their own failures.
  class Delivery {
   public:
    Delivery() noexcept;
    ~Delivery();
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

   private:
    CodeCall* callBefore_;
  };

 private:
  // What the boundaries share: the newest boundary alive and the toolkit call program code
  // is making. Widgets live on one thread, so one context serves the program.
  struct Context {
    ErrorBoundary* current = nullptr;
    CodeCall* codeCall = nullptr;
  };
  static Context context_;

  class HandlerRunning;

  void report(std::exception_ptr error) const;

  runtime::MessageBoxes& boxes_;
  std::string caption_;
  ErrorBoundary* previous_;
};

}  // namespace ferrowick::ui
