#include "support/ScriptedHost.h"

namespace ferrowick::testing {

int ScriptedMessageBoxes::show(const std::string& text, int style, const std::string& caption) {
  shown.push_back({text, style, caption});
  if (whileOpen) whileOpen(shown.back());
  if (answers_.empty()) return runtime::MsgAnswer::Ok;
  const int reply = answers_.front();
  answers_.pop_front();
  return reply;
}

void CountingEventLoop::yield() {
  ++yields;
  if (pending) pending();
}

int RecordingShell::open(const std::string& target) {
  opened.push_back(target);
  return result;
}

std::string ScriptedFolderPicker::browse(const std::string& title, const std::string& startFolder) {
  calls.push_back({title, startFolder});
  if (choices_.empty()) return {};
  std::string chosen = choices_.front();
  choices_.pop_front();
  return chosen;
}

}  // namespace ferrowick::testing
