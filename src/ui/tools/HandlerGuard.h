#pragma once

#include <functional>
#include <string>

namespace ferrowick::runtime {
class MessageBoxes;
}

namespace ferrowick::ui {

// Runs an event handler; a failure inside it ends in a critical box (number, line feed,
// description) captioned `caption`, never in Qt's event loop.
void guarded(runtime::MessageBoxes& messages, const std::string& caption,
             const std::function<void()>& handler);

}  // namespace ferrowick::ui
