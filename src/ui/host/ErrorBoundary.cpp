#include "ui/host/ErrorBoundary.h"

#include <cstdio>
#include <new>
#include <utility>

#include "runtime/RuntimeError.h"

namespace ferrowick::ui {

// The toolkit call that program code is making, whose handlers' failures it takes.
struct ErrorBoundary::CodeCall {
  std::exception_ptr failure;
};

namespace {
using CodeCall = ErrorBoundary::CodeCall;

// The runtime's numbers for failures that do not carry one of their own.
constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

ErrorBoundary* current = nullptr;
// Events being delivered, and handlers running within the newest of them.
int deliveries = 0;
int handlers = 0;

CodeCall* codeCall = nullptr;

// A running handler is program code of its own: toolkit calls it makes are its own.
class HandlerRunning {
 public:
  HandlerRunning() noexcept : call_(std::exchange(codeCall, nullptr)) { ++handlers; }
  ~HandlerRunning() {
    --handlers;
    codeCall = call_;
  }
  HandlerRunning(const HandlerRunning&) = delete;
  HandlerRunning& operator=(const HandlerRunning&) = delete;

 private:
  CodeCall* call_;
};

struct Numbered {
  int number;
  std::string description;
};

Numbered numbered(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const runtime::RuntimeError& failure) {
    return {failure.number(), failure.description()};
  } catch (const std::bad_alloc&) {
    return {kOutOfMemory, "Out of memory"};
  } catch (const std::exception& failure) {
    return {kInternalError, failure.what()};
  } catch (...) {
    return {kInternalError, "Internal error"};
  }
}
}  // namespace

ErrorBoundary::ErrorBoundary(runtime::MessageBoxes& boxes, std::string caption)
    : boxes_(boxes), caption_(std::move(caption)), previous_(current) {
  current = this;
}

ErrorBoundary::~ErrorBoundary() { current = previous_; }

bool ErrorBoundary::run(const std::function<void()>& work) noexcept {
  std::exception_ptr error;
  try {
    work();
    return true;
  } catch (...) {
    error = std::current_exception();
  }
  // Reported outside the catch: the box runs a nested event loop.
  try {
    if (current != nullptr) {
      current->report(error);
    } else {
      const Numbered shown = numbered(error);
      std::fprintf(stderr, "%d\n%s\n", shown.number, shown.description.c_str());
    }
  } catch (...) {
    // The report itself failed (no memory for the text): nothing is left to tell it with.
    std::fputs("An error could not be reported.\n", stderr);
  }
  return false;
}

void ErrorBoundary::fire(const std::function<void()>& handler) {
  CodeCall* const caller = codeCall;
  const bool outermost = deliveries > 0 && handlers == 0 && caller == nullptr;
  const HandlerRunning running;
  if (outermost) {
    run(handler);
  } else if (caller != nullptr) {
    try {
      handler();
    } catch (...) {
      if (!caller->failure) caller->failure = std::current_exception();
    }
  } else {
    // Started by code that called the toolkit directly: the failure goes the same way.
    handler();
  }
}

void ErrorBoundary::fromCode(const std::function<void()>& toolkitCall) {
  CodeCall call;
  CodeCall* const before = std::exchange(codeCall, &call);
  try {
    toolkitCall();
  } catch (...) {
    codeCall = before;
    throw;
  }
  codeCall = before;
  if (call.failure) std::rethrow_exception(call.failure);
}

ErrorBoundary::Delivery::Delivery() noexcept
    : handlersBefore_(handlers), callBefore_(std::exchange(codeCall, nullptr)) {
  ++deliveries;
  handlers = 0;
}

ErrorBoundary::Delivery::~Delivery() {
  --deliveries;
  handlers = handlersBefore_;
  codeCall = callBefore_;
}

void ErrorBoundary::report(std::exception_ptr error) const {
  const Numbered shown = numbered(error);
  boxes_.show(std::to_string(shown.number) + "\n" + shown.description, runtime::MsgStyle::Critical,
              caption_);
}

}  // namespace ferrowick::ui
