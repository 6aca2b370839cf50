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

  // Runs an event handler. The first handler an event starts is where its failures stop;
  // one started by program code that is already running (a property set inside another
  // handler, or before the event loop runs) passes its failure on to that code.
  static void fire(const std::function<void()>& handler);

  // Makes a toolkit call for program code. A failure of a handler the call starts is held
  // until the toolkit returns and then thrown here, so it reaches the code without
  // passing through the toolkit.
  static void fromCode(const std::function<void()>& toolkitCall);

  // One toolkit call in progress for program code.
  struct CodeCall;

  // Marks the toolkit delivering one event, so that the handlers it starts, even inside a
  // modal box or a yield of a running handler, begin afresh.
  class Delivery {
   public:
    Delivery() noexcept;
    ~Delivery();
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

   private:
    int handlersBefore_;
    CodeCall* callBefore_;
  };

 private:
  void report(std::exception_ptr error) const;

  runtime::MessageBoxes& boxes_;
  std::string caption_;
  ErrorBoundary* previous_;
};

}  // namespace ferrowick::ui
