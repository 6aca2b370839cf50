#include "support/ScriptedFileDialog.h"

namespace ferrowick::testing {

std::string ScriptedFileDialog::openFile(const std::string& description, const std::string& pattern,
                                         const std::string& fileName) {
  calls.push_back({description, pattern, fileName});
  if (choices_.empty()) return {};
  std::string chosen = std::move(choices_.front());
  choices_.pop_front();
  return chosen;
}

}  // namespace ferrowick::testing
