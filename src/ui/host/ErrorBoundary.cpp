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

ErrorBoundary::Context ErrorBoundary::context_;

// A running handler is program code of its own: toolkit calls it makes are its own.
class ErrorBoundary::HandlerRunning {
 public:
  HandlerRunning() noexcept : call_(std::exchange(context_.codeCall, nullptr)) {}
  ~HandlerRunning() { context_.codeCall = call_; }
  HandlerRunning(const HandlerRunning&) = delete;
  HandlerRunning& operator=(const HandlerRunning&) = delete;

 private:
  CodeCall* call_;
};

namespace {
struct Numbered {
  int number;
  std::string description;
};

Numbered numbered(const std::exception_ptr& error) {
  using runtime::errorDescription;
  using runtime::Err::InternalError;
  try {
    std::rethrow_exception(error);
  } catch (const runtime::RuntimeError& failure) {
    return {failure.number(), failure.description()};
  } catch (const std::bad_alloc&) {
    return {runtime::Err::OutOfMemory, errorDescription(runtime::Err::OutOfMemory)};
  } catch (const std::exception& failure) {
    return {InternalError, failure.what()};
  } catch (...) {
    return {InternalError, errorDescription(InternalError)};
  }
}
}  // namespace

ErrorBoundary::ErrorBoundary(runtime::MessageBoxes& boxes, std::string caption)
    : boxes_(boxes), caption_(std::move(caption)), previous_(context_.current) {
  context_.current = this;
}

ErrorBoundary::~ErrorBoundary() { context_.current = previous_; }

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
    if (context_.current != nullptr) {
      context_.current->report(error);
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
  CodeCall* const caller = context_.codeCall;
  const HandlerRunning running;
  if (caller == nullptr) {
    // Either the event's first handler, or one that a toolkit call made without
    // `fromCode` started: no code waits past the toolkit for its failure.
    run(handler);
    return;
  }
  try {
    handler();
  } catch (...) {
    if (!caller->failure) caller->failure = std::current_exception();
  }
}

void ErrorBoundary::fromCode(const std::function<void()>& toolkitCall) {
  CodeCall call;
  CodeCall* const before = std::exchange(context_.codeCall, &call);
  try {
    toolkitCall();
  } catch (...) {
    context_.codeCall = before;
    throw;
  }
  context_.codeCall = before;
  if (call.failure) std::rethrow_exception(call.failure);
}

ErrorBoundary::Delivery::Delivery() noexcept
    : callBefore_(std::exchange(context_.codeCall, nullptr)) {}

ErrorBoundary::Delivery::~Delivery() { context_.codeCall = callBefore_; }

void ErrorBoundary::report(std::exception_ptr error) const {
  const Numbered shown = numbered(error);
  boxes_.show(std::to_string(shown.number) + "\n" + shown.description, runtime::MsgIcon::Critical,
              caption_);
}

}  // namespace ferrowick::ui
