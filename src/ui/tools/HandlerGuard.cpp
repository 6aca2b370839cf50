#include "ui/tools/HandlerGuard.h"

#include <new>

#include "runtime/Host.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::ui {

namespace {
constexpr int kOutOfMemory = 7;
}

void guarded(runtime::MessageBoxes& messages, const std::string& caption,
             const std::function<void()>& handler) {
  auto report = [&](int number, const std::string& description) {
    messages.show(std::to_string(number) + "\n" + description, runtime::MsgStyle::Critical,
                  caption);
  };
  try {
    handler();
  } catch (const runtime::RuntimeError& error) {
    report(error.number(), error.description());
  } catch (const std::bad_alloc&) {
    report(kOutOfMemory, "Out of memory");
  }
}

}  // namespace ferrowick::ui
